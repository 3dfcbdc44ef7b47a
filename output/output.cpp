// SPDX-License-Identifier: BSD-2-Clause
/*
 * The output buffer: the report is held as pieces, the picture's rows in
 * place and the rest copied here, and leaves in one writev(2) where
 * descriptor 1 takes it whole.  What a call leaves over is written again,
 * after a wait in poll(2) where the descriptor is non-blocking and full.
 */
#include "output.h"

#include <sys/uio.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <unistd.h>

namespace
{

/* Room for the facts of a report; the picture is not copied. */
char held[4096];
std::size_t held_length;
struct iovec pieces[64];
int piece_count;
bool failed;

/*
 * How long a write may go on being interrupted without a byte taken: long
 * enough for a writer stopped and continued many times, not for good.
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

/* Adds length bytes at bytes, which must stay until they are written. */
void add_piece(const char *bytes, std::size_t length)
{
	if (piece_count > 0) {
		struct iovec &last = pieces[piece_count - 1];
		if (static_cast<const char *>(last.iov_base) + last.iov_len ==
		    bytes) {
			last.iov_len += length;
			return;
		}
	}
	if (piece_count == int(sizeof(pieces) / sizeof(pieces[0])))
		output_flush();
	pieces[piece_count++] = {const_cast<char *>(bytes), length};
}

} // namespace

bool output_flush()
{
	struct iovec *piece = pieces;
	int left = piece_count;
	long stalled_since = -1;
	while (!failed && left > 0) {
		ssize_t part = writev(STDOUT_FILENO, piece, left);
		if (part < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
			failed = !wait_writable();
		} else if (part < 0 && errno == EINTR) {
			if (stalled_since < 0)
				stalled_since = seconds_now();
			failed = seconds_now() - stalled_since >=
			         INTERRUPTED_SECONDS;
		} else if (part <= 0) {
			failed = true;
		} else {
			for (; left > 0 && std::size_t(part) >= piece->iov_len;
			     left--)
				part -= ssize_t((piece++)->iov_len);
			if (left > 0) {
				piece->iov_base =
				    static_cast<char *>(piece->iov_base) + part;
				piece->iov_len -= std::size_t(part);
			}
			stalled_since = -1;
		}
	}
	held_length = 0;
	piece_count = 0;
	return !failed;
}

void output_constant(const char *bytes, std::size_t length)
{
	if (length > 0)
		add_piece(bytes, length);
}

void output_bytes(const char *bytes, std::size_t length)
{
	while (length > 0) {
		if (held_length == sizeof(held))
			output_flush();
		std::size_t room = sizeof(held) - held_length;
		std::size_t part = length < room ? length : room;
		std::memcpy(held + held_length, bytes, part);
		add_piece(held + held_length, part);
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
	char byte = static_cast<char>(c);
	output_bytes(&byte, 1);
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
