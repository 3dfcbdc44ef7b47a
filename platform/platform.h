// SPDX-License-Identifier: BSD-2-Clause
/*
 * The whole boundary between sysfacts and the operating system: the calls the
 * report makes, named and shaped as FreeBSD's, with one implementation per
 * system behind them (and a scripted one for the tests).
 *
 * Error contract, the same for every implementation:
 *  - sysctlbyname returns 0 on success and -1 on failure, with errno set.
 *    It never writes a new value; callers pass a null newp and a newlen of 0.
 *    It fails with ENOENT for a name the system does not have, and with
 *    ENOMEM when the value (a string with its terminating zero) is longer
 *    than *oldlenp.  A value narrower than *oldlenp fills only its own bytes
 *    and sets *oldlenp to its size, so an integer is read at the size given
 *    back: 4 bytes for FreeBSD's int and u_int, 8 for a 64-bit one.  As on
 *    FreeBSD, a value that does not fit may have been copied in part before
 *    the failure, so a caller must never use the buffer after one.
 *  - kvm_openfiles returns a handle, or a null pointer with a message in
 *    errbuf, which must hold KVM_ERRBUF_SIZE bytes.
 *  - kvm_getprocs returns a non-null pointer and sets *count to the number of
 *    entries, or returns a null pointer and leaves *count alone.  The entries
 *    themselves are opaque: only the count may be used.
 *  - clock_gettime returns 0 and fills *tp, or returns -1.
 *  - getenv returns the value of a variable, or a null pointer when unset.
 * None of them writes to standard output or standard error.
 */
#ifndef SYSFACTS_PLATFORM_H
#define SYSFACTS_PLATFORM_H

#include <cstddef>
#include <ctime>

namespace platform
{

/* The process-table handle and its entries; their layout is private. */
struct kvm_t;
struct kinfo_proc;

/* FreeBSD's numbers, given here so that no caller needs a system header. */
constexpr clockid_t UPTIME_CLOCK = 5;         /* CLOCK_UPTIME */
constexpr int PROC_SELECTOR_PROCESSES = 8;    /* KERN_PROC_PROC */
constexpr int KVM_OPEN_READ_ONLY = 0;         /* O_RDONLY */
constexpr std::size_t KVM_ERRBUF_SIZE = 2048; /* _POSIX2_LINE_MAX */

int sysctlbyname(const char *name, void *oldp, std::size_t *oldlenp,
                 const void *newp, std::size_t newlen);
kvm_t *kvm_openfiles(const char *execfile, const char *corefile,
                     const char *swapfile, int flags, char *errbuf);
kinfo_proc *kvm_getprocs(kvm_t *kd, int op, int arg, int *count);
int clock_gettime(clockid_t clock_id, struct timespec *tp);
char *getenv(const char *name);

} // namespace platform

#endif
