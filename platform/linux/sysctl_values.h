// SPDX-License-Identifier: BSD-2-Clause
/*
 * How a value leaves sysctlbyname(3) on FreeBSD, for a platform layer that
 * answers FreeBSD's names itself: what fits is copied, and a value longer
 * than the caller's buffer fails with ENOMEM.
 */
#ifndef SYSFACTS_PLATFORM_SYSCTL_VALUES_H
#define SYSFACTS_PLATFORM_SYSCTL_VALUES_H

#include <cstddef>
#include <cstdint>

namespace platform::sysctl_values
{

/*
 * Copies a value of size bytes to oldp, which holds *oldlenp bytes, and sets
 * *oldlenp to size.  With a null oldp only the size is given.  A value that
 * does not fit is copied in part, then fails with ENOMEM, as FreeBSD's
 * sysctl_old_user() does.  Returns 0, or -1 with errno set.
 */
int copy_value(const void *value, std::size_t size, void *oldp,
               std::size_t *oldlenp);

/* Copies length bytes of text as a string with its terminating zero. */
int copy_string(const char *text, std::size_t length, void *oldp,
                std::size_t *oldlenp);

/*
 * Copies a count as FreeBSD's u_int, 4 bytes, when it fits in 32 bits, and
 * as 8 bytes when it does not, so that no count is ever cut short.
 */
int copy_count(std::uint64_t count, void *oldp, std::size_t *oldlenp);

} // namespace platform::sysctl_values

#endif
