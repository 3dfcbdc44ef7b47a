// SPDX-License-Identifier: BSD-2-Clause
/*
 * Listing /proc on Linux: whether the open directory is this system's own
 * procfs, and the processes among the records getdents64(2) returns.
 */
#ifndef SYSFACTS_PLATFORM_PROC_LISTING_H
#define SYSFACTS_PLATFORM_PROC_LISTING_H

#include <cstddef>

namespace platform::proc_listing
{

/*
 * Counts the processes among length bytes of records from one getdents64(2)
 * call, adding them to *processes: the directories whose names start with a
 * digit.  Returns false for a record that is too short to hold a name or
 * that runs past the data, so that a malformed listing ends the count.
 */
bool count_process_records(const char *records, std::size_t length,
                           int *processes);

/*
 * Returns true when the open directory fd is the kernel's procfs, and the
 * one of this process's PID namespace: its "self" names this process.  Not
 * a tmpfs with numbered folders, a process's task folder bound over /proc,
 * or the /proc of another namespace.
 */
bool is_own_proc(int fd);

/*
 * Counts the processes of the open /proc directory fd, which must be one
 * that is_own_proc() accepts, with getdents64(2)
 * into a buffer of one page, from the first process entry where /proc is
 * laid out as Linux lays it out, else from its start.  Returns
 * false when a call fails, a record is malformed, the listing holds no
 * process or runs longer than any /proc can be.
 */
bool count_process_directory(int fd, int *processes);

} // namespace platform::proc_listing

#endif
