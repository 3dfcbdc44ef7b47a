// SPDX-License-Identifier: BSD-2-Clause
/*
 * The uptime clock: FreeBSD's CLOCK_UPTIME, answered from Linux's
 * CLOCK_BOOTTIME, which counts suspended time as FreeBSD's does.
 */
#include "platform.h"

#include <sys/syscall.h>

#include <cerrno>
#include <cstdint>
#include <time.h>
#include <unistd.h>

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	if (clock_id != platform::UPTIME_CLOCK) {
		errno = EINVAL;
		return -1;
	}
	/*
	 * A 32-bit system has two clock calls, of 32- and 64-bit time, and
	 * which one fits struct timespec is the C library's to know.
	 */
	if (sizeof(long) < sizeof(std::int64_t))
		return ::clock_gettime(CLOCK_BOOTTIME, tp);
	/*
	 * By system call rather than through the vDSO, whose first use costs
	 * a fresh process more page faults than the call itself.
	 */
	return syscall(SYS_clock_gettime, CLOCK_BOOTTIME, tp) == 0 ? 0 : -1;
}
