// SPDX-License-Identifier: BSD-2-Clause
/*
 * The output buffer.  stdio would drop what it holds when a write fails,
 * even one that a signal only interrupted (a stopped and continued program
 * writing to a socket with a send timeout gets EINTR), so the bytes are
 * held here and handed to an unbuffered standard output, which reports how
 * far each write got.
 */
#include "output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace
{

/*
 * The report leaves in a few writes.  Each page of writable memory a fresh
 * process touches costs it a page fault, which takes longer than a write:
 * this size keeps the buffer and the C library's own data in two pages of
 * a static musl program.
 */
char held[5120];
std::size_t held_length;
bool failed;

/* How often a write that a signal interrupted is made again, in a row. */
constexpr int INTERRUPTED_RETRIES = 8;

} // namespace

bool output_flush()
{
	std::size_t written = 0;
	int retries = INTERRUPTED_RETRIES;
	while (!failed && written < held_length) {
		std::size_t part = std::fwrite(held + written, 1,
		                               held_length - written, stdout);
		written += part;
		if (written == held_length)
			break;
		if (part > 0)
			retries = INTERRUPTED_RETRIES;
		if (std::ferror(stdout) == 0 || errno != EINTR ||
		    retries-- == 0)
			failed = true;
		std::clearerr(stdout);
	}
	held_length = 0;
	return !failed;
}

void output_bytes(const char *bytes, std::size_t length)
{
	while (length > 0) {
		if (held_length == sizeof(held))
			output_flush();
		std::size_t room = sizeof(held) - held_length;
		std::size_t part = length < room ? length : room;
		std::memcpy(held + held_length, bytes, part);
		held_length += part;
		bytes += part;
		length -= part;
	}
}

void output_text(const char *text)
{
	output_bytes(text, std::strlen(text));
}

void output_char(int c)
{
	if (held_length == sizeof(held))
		output_flush();
	held[held_length++] = static_cast<char>(c);
}

void output_format(const char *format, ...)
{
	char text[64];
	std::va_list arguments;
	va_start(arguments, format);
	int length = std::vsnprintf(text, sizeof(text), format, arguments);
	va_end(arguments);
	if (length > 0)
		output_bytes(text, std::size_t(length) < sizeof(text)
		                       ? std::size_t(length)
		                       : sizeof(text) - 1);
}
