// SPDX-License-Identifier: BSD-2-Clause
/*
 * Hands each line of a text, without its line end, to take, as a reading of
 * a /proc file does, until take returns false: for the tests and fuzzers
 * that hold a reading stopped early to what the whole text gives.
 */
#ifndef SYSFACTS_TEXT_LINES_H
#define SYSFACTS_TEXT_LINES_H

#include <cstddef>
#include <cstring>

template <typename Take>
void take_lines(const char *text, std::size_t length, Take take)
{
	const char *end = text + length;
	for (const char *line = text; line < end;) {
		const void *newline =
		    std::memchr(line, '\n', std::size_t(end - line));
		const char *line_end =
		    newline ? static_cast<const char *>(newline) : end;
		if (!take(line, std::size_t(line_end - line)))
			return;
		line = line_end + 1;
	}
}

#endif
