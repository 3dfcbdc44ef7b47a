// SPDX-License-Identifier: BSD-2-Clause
/*
 * The readers behind Linux's sysctlbyname: one for each FreeBSD name the
 * report asks for, each in the file of its fact, and each handing its value
 * out as FreeBSD's sysctl does (sysctl_values.h).  A reader returns 0, or -1
 * with errno set: ENOENT for a fact this system does not show.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_FACTS_H
#define SYSFACTS_PLATFORM_LINUX_FACTS_H

#include <cstddef>

namespace platform::linux_facts
{

using reader = int (*)(void *oldp, std::size_t *oldlenp);

/* Sets errno to error and returns -1. */
int fail(int error);

/* uname.cpp */
int hostname(void *oldp, std::size_t *oldlenp);
int os_type(void *oldp, std::size_t *oldlenp);
int os_release(void *oldp, std::size_t *oldlenp);
int machine_arch(void *oldp, std::size_t *oldlenp);
/* bootmethod.cpp */
int boot_method(void *oldp, std::size_t *oldlenp);
/* cpu.cpp */
int processor_model(void *oldp, std::size_t *oldlenp);
/* memory.cpp */
int free_pages(void *oldp, std::size_t *oldlenp);
int page_size(void *oldp, std::size_t *oldlenp);
int physical_memory(void *oldp, std::size_t *oldlenp);

} // namespace platform::linux_facts

#endif
