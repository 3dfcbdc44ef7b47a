// SPDX-License-Identifier: BSD-2-Clause
/*
 * FreeBSD: the platform calls are the system's own, passed straight through
 * to libc and libkvm, with one guard before libkvm's open.
 */
#include "platform.h"

#include <sys/types.h>
#include <sys/param.h>
#include <sys/sysctl.h>
#include <sys/user.h>

#include <fcntl.h>
#include <kvm.h>
#include <limits.h>
#include <paths.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

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

/*
 * For the live system, libkvm opens /dev/null and then opens it a second
 * time without checking the result.  When that second open fails for want
 * of a descriptor, kvm_getprocs takes the handle for a crash dump's and
 * calls through a null pointer.  Returns whether two descriptors can be
 * had, by taking two and giving them back.
 */
static bool two_descriptors_free()
{
	int first = open(_PATH_DEVNULL, O_RDONLY | O_CLOEXEC);
	if (first < 0)
		return false;
	int second = fcntl(first, F_DUPFD_CLOEXEC, 0);
	if (second >= 0)
		close(second);
	close(first);
	return second >= 0;
}

platform::kvm_t *platform::kvm_openfiles(const char *execfile,
                                         const char *corefile,
                                         const char *swapfile, int flags,
                                         char *errbuf)
{
	if (!two_descriptors_free()) {
		snprintf(errbuf, KVM_ERRBUF_SIZE, "%s",
		         "no two file descriptors free for libkvm");
		return nullptr;
	}
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
