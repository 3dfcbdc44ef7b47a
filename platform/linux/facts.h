// SPDX-License-Identifier: BSD-2-Clause
/*
 * The readers behind Linux's sysctlbyname, one for each FreeBSD name the
 * report asks for, each in the file of its fact, and the rules by which
 * FreeBSD's sysctl hands a value out, which every reader follows.  A reader
 * returns 0, or -1 with errno set: ENOENT for a fact this system does not
 * show.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_FACTS_H
#define SYSFACTS_PLATFORM_LINUX_FACTS_H

#include <cstddef>
#include <cstdint>

namespace platform::linux_facts
{

using reader = int (*)(void *oldp, std::size_t *oldlenp);

/* Sets errno to error and returns -1. */
int fail(int error);

/*
 * Copies a value of size bytes to oldp, which holds *oldlenp bytes, and sets
 * *oldlenp to size.  With a null oldp only the size is given.  A value that
 * does not fit is copied in part, then fails with ENOMEM, as FreeBSD's
 * sysctl_old_user() does.
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

/* uname.cpp */
int hostname(void *oldp, std::size_t *oldlenp);
int os_type(void *oldp, std::size_t *oldlenp);
int os_release(void *oldp, std::size_t *oldlenp);
int machine_arch(void *oldp, std::size_t *oldlenp);
/* bootmethod.cpp */
int boot_method(void *oldp, std::size_t *oldlenp);
/* cpu/cpu.cpp */
int processor_model(void *oldp, std::size_t *oldlenp);
/* memory.cpp */
int free_pages(void *oldp, std::size_t *oldlenp);
int page_size(void *oldp, std::size_t *oldlenp);
int physical_memory(void *oldp, std::size_t *oldlenp);

} // namespace platform::linux_facts

#endif
