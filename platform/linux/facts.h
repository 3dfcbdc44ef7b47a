// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Linux layer within: a reader behind sysctlbyname for each FreeBSD
 * name, in the file of its fact, FreeBSD's copy-out rules they all follow,
 * and what the facts' files read from a path the tests may give.  A reader
 * returns 0, or -1 with errno set: ENOENT for a fact not shown here.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_FACTS_H
#define SYSFACTS_PLATFORM_LINUX_FACTS_H

#include <cstddef>
#include <cstdint>

namespace platform::linux_facts
{

using reader = int (*)(void *oldp, std::size_t *oldlenp);

/* sysctl.cpp: sets errno to error and returns -1. */
int fail(int error);
/*
 * Copies a value to oldp, of *oldlenp bytes, and sets *oldlenp to its size;
 * one that does not fit is copied in part, then fails with ENOMEM, as in
 * FreeBSD's sysctl_old_user().  A null oldp asks for the size alone.
 */
int copy_value(const void *value, std::size_t size, void *oldp,
               std::size_t *oldlenp);
/* Copies length bytes of text as a string with its terminating zero. */
int copy_string(const char *text, std::size_t length, void *oldp,
                std::size_t *oldlenp);
/* Copies a count as FreeBSD's u_int, or as 8 bytes where 4 cannot hold it. */
int copy_count(std::uint64_t count, void *oldp, std::size_t *oldlenp);

/* uname.cpp */
int hostname(void *oldp, std::size_t *oldlenp);
int os_type(void *oldp, std::size_t *oldlenp);
int os_release(void *oldp, std::size_t *oldlenp);
int machine_arch(void *oldp, std::size_t *oldlenp);
/* bootmethod.cpp */
int boot_method(void *oldp, std::size_t *oldlenp);

/* memory.cpp */
int free_pages(void *oldp, std::size_t *oldlenp);
int page_size(void *oldp, std::size_t *oldlenp);
int physical_memory(void *oldp, std::size_t *oldlenp);
/* What a meminfo file tells of memory. */
enum class meminfo_reading : unsigned char {
	not_a_view, /* no such file, or no MemTotal line in it */
	no_figures, /* a view of memory, but no figures in it to trust */
	figures,    /* both figures */
};
/* Reads a meminfo file into bytes, set only where it gives figures. */
meminfo_reading read_meminfo(const char *path, std::uint64_t *total,
                             std::uint64_t *available);

/* cpu/cpu.cpp; the name of the processor of a cpuinfo and a MIDR file. */
int processor_model(void *oldp, std::size_t *oldlenp);
constexpr std::size_t PROCESSOR_NAME_SIZE = 256;
bool processor_name(const char *cpuinfo_path, const char *register_path,
                    char (&name)[PROCESSOR_NAME_SIZE], std::size_t *length);
/* cpu/cpu_names.cpp; each returns the length of the name it wrote, or 0. */
std::size_t arm_name(std::uint32_t midr, char *name, std::size_t size);
std::size_t powerpc_name(unsigned version, const char *cpu,
                         std::size_t cpu_length, char *name, std::size_t size);

/* processes.cpp; the readings behind kvm_getprocs. */
bool is_own_proc(int fd);
bool count_process_directory(int fd, int *processes);
bool count_process_records(const char *records, std::size_t length,
                           int *processes);

} // namespace platform::linux_facts

#endif
