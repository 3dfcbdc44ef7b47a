// SPDX-License-Identifier: BSD-2-Clause
/*
 * Reads of /proc text files, with open(2), fstat(2) and read(2): whole into
 * a buffer, or line by line.
 */
#include "proc_files.h"

#include "proc_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

/* One read(2), made again when a signal interrupts it, up to a limit. */
ssize_t read_once(int fd, char *buffer, std::size_t size)
{
	for (int retries = platform::proc_files::INTERRUPTED_RETRIES;;
	     retries--) {
		ssize_t part = read(fd, buffer, size);
		if (part >= 0 || errno != EINTR || retries == 0)
			return part;
	}
}

/*
 * Opens the file at path for reading when it is a regular file, and
 * returns its descriptor, or -1.  O_NONBLOCK keeps the open of a FIFO
 * without a writer from waiting; O_NOCTTY keeps a terminal from becoming
 * ours.  The program never runs another, so close-on-exec would only cost
 * a system call where the C library emulates it.
 */
int open_regular_file(const char *path)
{
	int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
	if (fd < 0)
		return -1;
	struct stat status;
	if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
		close(fd);
		return -1;
	}
	return fd;
}

} // namespace

ssize_t platform::proc_files::read_to_end(int fd, char *buffer,
                                          std::size_t size)
{
	std::size_t length = 0;
	while (length < size) {
		ssize_t part = read_once(fd, buffer + length, size - length);
		if (part < 0)
			return -1;
		if (part == 0)
			break;
		length += std::size_t(part);
	}
	return ssize_t(length);
}

ssize_t platform::proc_files::read_text_file(const char *path, char *buffer,
                                             std::size_t size)
{
	int fd = open_regular_file(path);
	if (fd < 0)
		return -1;
	ssize_t length = read_to_end(fd, buffer, size);
	close(fd);
	if (length == ssize_t(size))
		length = ssize_t(
		    platform::proc_text::whole_lines_length(buffer, size));
	return length;
}

namespace
{

/*
 * Hands the whole lines of [text, end) to visit, and returns where the
 * unfinished line after them starts.  *skipping says that the first line
 * is the rest of one already handed over cut.
 */
const char *visit_lines(const char *text, const char *end,
                        platform::proc_files::line_visitor visit, void *context,
                        bool *skipping, bool *stopped)
{
	while (!*stopped) {
		const void *newline =
		    std::memchr(text, '\n', std::size_t(end - text));
		if (newline == nullptr)
			break;
		const char *line_end = static_cast<const char *>(newline);
		if (*skipping)
			*skipping = false;
		else
			*stopped = !visit(text, std::size_t(line_end - text),
			                  false, context);
		text = line_end + 1;
	}
	return text;
}

} // namespace

platform::proc_files::lines_status
platform::proc_files::each_line(const char *path, char *buffer,
                                std::size_t size, std::size_t first_read,
                                line_visitor visit, void *context)
{
	int fd = open_regular_file(path);
	if (fd < 0)
		return lines_status::absent;
	std::size_t held = 0; /* the unfinished line at the buffer's start */
	std::size_t ask = first_read < size ? first_read : size;
	std::uint64_t total = 0;
	bool skipping = false;
	bool stopped = false;
	lines_status result = lines_status::failed;
	while (total <= TEXT_FILE_MAX) {
		ssize_t part = read_once(fd, buffer + held, ask - held);
		if (part < 0)
			break;
		total += std::uint64_t(part);
		const char *end = buffer + held + part;
		const char *rest = visit_lines(buffer, end, visit, context,
		                               &skipping, &stopped);
		held = std::size_t(end - rest);
		if (!stopped && part == 0) {
			/* The last line may have no line end. */
			if (held > 0 && !skipping)
				visit(rest, held, false, context);
			stopped = true;
		}
		if (stopped) {
			result = lines_status::read;
			break;
		}
		if (held == size) {
			/* A line longer than the buffer: its start alone. */
			stopped =
			    !skipping && !visit(buffer, size, true, context);
			skipping = true;
			held = 0;
			if (stopped) {
				result = lines_status::read;
				break;
			}
		} else {
			std::memmove(buffer, rest, held);
		}
		ask = size;
	}
	close(fd);
	return result;
}
