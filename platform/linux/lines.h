// SPDX-License-Identifier: BSD-2-Clause
/*
 * Reading a text file of /proc or /sys line by line, and the numbers in
 * its lines: only a regular file is read, opening it never waits, and each
 * line reaches the caller's visitor without its line end.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_LINES_H
#define SYSFACTS_PLATFORM_LINUX_LINES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sys/types.h>
#include <unistd.h>

namespace platform::linux_facts
{

/*
 * The buffer a reading keeps on its stack: one page.  A fresh process pays
 * a page fault for every page of stack it touches, which costs more than
 * the system calls a larger buffer would save.
 */
constexpr std::size_t LINE_BUFFER_SIZE = 4096;

/* Longer than any text file of /proc, the largest machines' cpuinfo too. */
constexpr std::uint64_t TEXT_FILE_MAX = 64ULL << 20;

/*
 * How often a read that a signal interrupted (a tracer can) is made again:
 * one that keeps being interrupted fails, so no fault holds the run up.
 */
constexpr int INTERRUPTED_READ_RETRIES = 8;

/*
 * lines.cpp: opens a regular file, or returns -1; reads as read(2) does,
 * again where a signal interrupted it; reads all the digits of [p, end), at
 * least one, in base 10 or 16 as a number no larger than limit.
 */
int open_regular_file(const char *path);
ssize_t read_retrying(int fd, char *buffer, std::size_t size);
bool parse_number(const char *p, const char *end, unsigned base,
                  std::uint64_t limit, std::uint64_t *value);

/*
 * What each_line() made of a file: absent, no regular file there that can
 * be opened; failed, a read failed or the file ran past TEXT_FILE_MAX;
 * complete, every line was handed over, up to one after which the visitor
 * wanted no more.
 */
enum class file_read : unsigned char { absent, failed, complete };

/*
 * Hands each line of the regular file at path to visit(line, length, cut),
 * in order, until visit returns false.  A line longer than the buffer is
 * handed over once, cut: only its start is there.  The last line may lack
 * its line end.
 */
template <std::size_t BUFFER_SIZE = LINE_BUFFER_SIZE, typename Visit>
file_read each_line(const char *path, Visit &&visit)
{
	int fd = open_regular_file(path);
	if (fd < 0)
		return file_read::absent;
	char buffer[BUFFER_SIZE];
	std::size_t held = 0;  /* an unfinished line at the buffer's start */
	bool skipping = false; /* the rest of a line handed over cut */
	bool wanted = true;
	std::uint64_t total = 0;
	file_read result = file_read::complete;
	while (wanted) {
		ssize_t part =
		    read_retrying(fd, buffer + held, sizeof(buffer) - held);
		if (part < 0 ||
		    (total += std::uint64_t(part)) > TEXT_FILE_MAX) {
			result = file_read::failed;
			break;
		}
		if (part == 0) {
			if (held > 0 && !skipping)
				visit(buffer, held, false);
			break;
		}
		const char *end = buffer + held + part;
		const char *line = buffer;
		const void *found;
		while (wanted && (found = std::memchr(
		                      line, '\n', std::size_t(end - line)))) {
			const auto *line_end = static_cast<const char *>(found);
			wanted =
			    skipping ||
			    visit(line, std::size_t(line_end - line), false);
			skipping = false;
			line = line_end + 1;
		}
		held = std::size_t(end - line);
		if (held == sizeof(buffer)) {
			wanted =
			    wanted && (skipping || visit(buffer, held, true));
			skipping = true;
			held = 0;
		} else {
			std::memmove(buffer, line, held);
		}
	}
	close(fd);
	return result;
}

} // namespace platform::linux_facts

#endif
