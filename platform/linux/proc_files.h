// SPDX-License-Identifier: BSD-2-Clause
/*
 * Reading /proc on Linux: its small text files, whole or line by line, and
 * from regular files only.
 */
#ifndef SYSFACTS_PLATFORM_PROC_FILES_H
#define SYSFACTS_PLATFORM_PROC_FILES_H

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace platform::proc_files
{

/*
 * The buffer each reader of /proc keeps on its stack: one page.  A fresh
 * process pays a page fault for every page of stack it touches, which costs
 * more than the system calls a larger buffer would save.
 */
constexpr std::size_t READ_BUFFER_SIZE = 4096;

/*
 * How often a call that a signal interrupted is made again.  A call that
 * keeps being interrupted fails, so that no fault can hold the run up.
 */
constexpr int INTERRUPTED_RETRIES = 8;

/*
 * Reads from fd until end of file or until size bytes are in, retrying a
 * read that a signal interrupted, up to INTERRUPTED_RETRIES times.  Returns
 * the length read, or -1 when a read fails: part of a file is never passed
 * off as the whole.
 */
ssize_t read_to_end(int fd, char *buffer, std::size_t size);

/*
 * Reads the text file at path as read_to_end does.  Anything but a regular
 * file (a FIFO, a socket or a device put in its place) is not read, and
 * opening one never waits.  When the text fills the buffer it is cut back to
 * its last whole line, so that no line cut short is ever parsed.  Returns
 * the length of the text, or -1.
 */
ssize_t read_text_file(const char *path, char *buffer, std::size_t size);

/* What each_line() found of a file. */
enum class lines_status : unsigned char {
	absent, /* no regular file there, or one that cannot be opened */
	failed, /* a read failed, or the file ran past TEXT_FILE_MAX */
	read,   /* every line was handed over, or the visitor stopped */
};

/*
 * Longer than any text file Linux writes in /proc, cpuinfo of the largest
 * machines included; a file that runs on past it is not one of them.
 */
constexpr std::uint64_t TEXT_FILE_MAX = 64ULL << 20;

/*
 * Takes one line, without its line end.  A line longer than the buffer is
 * handed over once, cut: only its start is there.  Returns false to stop
 * the reading.
 */
using line_visitor = bool (*)(const char *line, std::size_t length, bool cut,
                              void *context);

/*
 * Reads the regular text file at path and hands each of its lines to visit,
 * in order, until the file ends or visit returns false.  The lines pass
 * through buffer, of size bytes; the first read asks for first_read bytes
 * of them only, so that a file whose first part settles what the caller
 * needs can be left there.
 */
lines_status each_line(const char *path, char *buffer, std::size_t size,
                       std::size_t first_read, line_visitor visit,
                       void *context);

} // namespace platform::proc_files

#endif
