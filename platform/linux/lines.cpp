// SPDX-License-Identifier: BSD-2-Clause
/* What lines.h reads with: the open, the read and the number parser. */
#include "lines.h"

#include <sys/stat.h>

#include <cerrno>
#include <fcntl.h>

namespace facts = platform::linux_facts;

/*
 * O_NONBLOCK keeps the open of a FIFO without a writer from waiting, and
 * O_NOCTTY a terminal from becoming ours.  The program runs no other, so
 * close-on-exec would only cost a call where the C library emulates it.
 */
int facts::open_regular_file(const char *path)
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

ssize_t facts::read_retrying(int fd, char *buffer, std::size_t size)
{
	for (int retries = INTERRUPTED_READ_RETRIES;; retries--) {
		ssize_t part = read(fd, buffer, size);
		if (part >= 0 || errno != EINTR || retries == 0)
			return part;
	}
}

bool facts::parse_number(const char *p, const char *end, unsigned base,
                         std::uint64_t limit, std::uint64_t *value)
{
	if (p == end)
		return false;
	for (*value = 0; p < end; p++) {
		char lower = char(*p | 0x20);
		unsigned digit = base;
		if (*p >= '0' && *p <= '9')
			digit = unsigned(*p - '0');
		else if (lower >= 'a' && lower <= 'f')
			digit = unsigned(lower - 'a' + 10);
		if (digit >= base || digit > limit ||
		    *value > (limit - digit) / base)
			return false;
		*value = (*value * base) + digit;
	}
	return true;
}
