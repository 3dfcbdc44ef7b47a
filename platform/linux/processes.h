// SPDX-License-Identifier: BSD-2-Clause
/*
 * Listing /proc on Linux: whether an open directory is this system's own
 * procfs, and the processes among the records getdents64(2) returns.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_PROCESSES_H
#define SYSFACTS_PLATFORM_LINUX_PROCESSES_H

#include <cstddef>

namespace platform::linux_facts
{

/*
 * Returns true when the open directory fd is the kernel's procfs, and the
 * one of this process's PID namespace: its "self" names this process.  Not
 * a tmpfs with numbered folders, a process's task folder bound over /proc,
 * or the /proc of another namespace.
 */
bool is_own_proc(int fd);

/*
 * Counts the processes of the open directory fd, from its start: the
 * directories whose names start with a digit.  Returns false when a call
 * fails, a record is malformed, the listing holds no process or runs longer
 * than any /proc can be.
 */
bool count_process_directory(int fd, int *processes);

/*
 * Counts the processes among length bytes of records from one getdents64(2)
 * call, adding them to *processes.  Returns false for a record that is too
 * short to hold a name or that runs past the data.
 */
bool count_process_records(const char *records, std::size_t length,
                           int *processes);

} // namespace platform::linux_facts

#endif
