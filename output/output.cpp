// SPDX-License-Identifier: BSD-2-Clause
/*
 * The output buffer.  The report is held here whole and handed to
 * descriptor 1 with write(2), so that it leaves in one write where the
 * descriptor takes it; what a write leaves over is written again, after a
 * wait in poll(2) where the descriptor is non-blocking and full.
 */
#include "output.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <unistd.h>

namespace
{

/* Room for the picture and the longest facts. */
char held[16384];
std::size_t held_length;
bool failed;

/*
 * How long a write may go on being interrupted without a byte taken: a
 * stopped and continued writer is interrupted again and again, but a
 * fault that never clears must not hold the run up for good.
 */
constexpr long INTERRUPTED_SECONDS = 5;

long seconds_now()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return long(now.tv_sec);
}

/* Waits until descriptor 1 takes more; returns false when it never will. */
bool wait_writable()
{
	struct pollfd out = {STDOUT_FILENO, POLLOUT, 0};
	return poll(&out, 1, -1) >= 0 || errno == EINTR;
}

} // namespace

bool output_flush()
{
	std::size_t written = 0;
	long stalled_since = -1;
	while (!failed && written < held_length) {
		ssize_t part =
		    write(STDOUT_FILENO, held + written, held_length - written);
		if (part > 0) {
			written += std::size_t(part);
			stalled_since = -1;
		} else if (part < 0 &&
		           (errno == EAGAIN || errno == EWOULDBLOCK)) {
			failed = !wait_writable();
		} else if (part < 0 && errno == EINTR) {
			if (stalled_since < 0)
				stalled_since = seconds_now();
			failed = seconds_now() - stalled_since >=
			         INTERRUPTED_SECONDS;
		} else {
			failed = true;
		}
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
