// SPDX-License-Identifier: BSD-2-Clause
/*
 * FreeBSD: the platform calls are the system's own, passed straight through
 * to libc and libkvm.
 */
#include "platform.h"

#include <sys/types.h>
#include <sys/param.h>
#include <sys/sysctl.h>
#include <sys/user.h>

#include <fcntl.h>
#include <kvm.h>
#include <limits.h>
#include <stdlib.h>
#include <time.h>

static_assert(platform::UPTIME_CLOCK == CLOCK_UPTIME, "clock number");
static_assert(platform::PROC_SELECTOR_PROCESSES == KERN_PROC_PROC,
              "process selector");
static_assert(platform::KVM_OPEN_READ_ONLY == O_RDONLY, "open flags");
static_assert(platform::KVM_ERRBUF_SIZE == _POSIX2_LINE_MAX, "error buffer");

int platform::sysctlbyname(const char *name, void *oldp, std::size_t *oldlenp,
                           const void *newp, std::size_t newlen)
{
	return ::sysctlbyname(name, oldp, oldlenp, newp, newlen);
}

platform::kvm_t *platform::kvm_openfiles(const char *execfile,
                                         const char *corefile,
                                         const char *swapfile, int flags,
                                         char *errbuf)
{
	return reinterpret_cast<platform::kvm_t *>(
	    ::kvm_openfiles(execfile, corefile, swapfile, flags, errbuf));
}

platform::kinfo_proc *platform::kvm_getprocs(platform::kvm_t *kd, int op,
                                             int arg, int *count)
{
	return reinterpret_cast<platform::kinfo_proc *>(
	    ::kvm_getprocs(reinterpret_cast<::kvm_t *>(kd), op, arg, count));
}

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	return ::clock_gettime(clock_id, tp);
}

char *platform::getenv(const char *name)
{
	return ::getenv(name);
}
