// SPDX-License-Identifier: BSD-2-Clause
/*
 * The /proc text parsers.  They read only the length they are given, so a
 * buffer from read(2) needs no terminating zero.
 */
#include "proc_text.h"

#include <cstring>

namespace
{

/* Returns where the line that starts at line ends: its '\n' or end. */
const char *end_of_line(const char *line, const char *end)
{
	const void *newline = std::memchr(line, '\n', std::size_t(end - line));
	return newline != nullptr ? static_cast<const char *>(newline) : end;
}

/*
 * Reads the decimal number at the start of [p, end) into *value.  Returns
 * false when there is no digit or the number does not fit in 64 bits.
 */
bool parse_decimal(const char *p, const char *end, std::uint64_t *value)
{
	if (p == end || *p < '0' || *p > '9')
		return false;
	std::uint64_t number = 0;
	for (; p < end && *p >= '0' && *p <= '9'; p++) {
		auto digit = unsigned(*p - '0');
		if (number > (UINT64_MAX - digit) / 10)
			return false;
		number = number * 10 + digit;
	}
	*value = number;
	return true;
}

} // namespace

std::size_t platform::proc_text::whole_lines_length(const char *text,
                                                    std::size_t length)
{
	while (length > 0 && text[length - 1] != '\n')
		length--;
	return length;
}

bool platform::proc_text::meminfo_kib(const char *text, std::size_t length,
                                      const char *key, std::uint64_t *kib)
{
	std::size_t key_length = std::strlen(key);
	const char *end = text + length;
	for (const char *line = text; line < end;) {
		const char *line_end = end_of_line(line, end);
		if (std::size_t(line_end - line) > key_length &&
		    std::memcmp(line, key, key_length) == 0 &&
		    line[key_length] == ':') {
			const char *p = line + key_length + 1;
			while (p < line_end && *p == ' ')
				p++;
			return parse_decimal(p, line_end, kib);
		}
		line = line_end + 1;
	}
	return false;
}

platform::proc_text::meminfo_status
platform::proc_text::meminfo_memory(const char *text, std::size_t length,
                                    std::uint64_t *total_kib,
                                    std::uint64_t *available_kib)
{
	std::uint64_t total;
	if (!meminfo_kib(text, length, "MemTotal", &total))
		return meminfo_status::no_total;
	std::uint64_t available;
	std::uint64_t free_kib;
	std::uint64_t buffers;
	std::uint64_t cached;
	bool known = (meminfo_kib(text, length, "MemAvailable", &available) &&
	              available <= total) ||
	             (meminfo_kib(text, length, "MemFree", &free_kib) &&
	              meminfo_kib(text, length, "Buffers", &buffers) &&
	              meminfo_kib(text, length, "Cached", &cached) &&
	              !__builtin_add_overflow(free_kib, buffers, &available) &&
	              !__builtin_add_overflow(available, cached, &available) &&
	              available <= total);
	if (!known)
		return meminfo_status::no_available;
	*total_kib = total;
	*available_kib = available;
	return meminfo_status::known;
}

static char ascii_lower(char c)
{
	return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

/*
 * Returns the value of line for key, or null when the line's key is
 * another: the key, matched in any case, then blanks up to the colon.
 */
static const char *value_for_key(const char *line, const char *line_end,
                                 const char *key)
{
	const char *p = line;
	for (; *key != '\0'; key++, p++)
		if (p == line_end || ascii_lower(*p) != ascii_lower(*key))
			return nullptr;
	while (p < line_end && (*p == ' ' || *p == '\t'))
		p++;
	if (p == line_end || *p != ':')
		return nullptr;
	p++;
	if (p < line_end && *p == ' ')
		p++;
	return p;
}

void platform::proc_text::cpuinfo_values(const char *text, std::size_t length,
                                         const char *const keys[],
                                         std::size_t key_count,
                                         cpuinfo_value values[])
{
	for (std::size_t k = 0; k < key_count; k++)
		values[k] = cpuinfo_value{nullptr, 0};
	std::size_t missing = key_count;
	const char *end = text + length;
	for (const char *line = text; line < end && missing > 0;) {
		const char *line_end = end_of_line(line, end);
		for (std::size_t k = 0; k < key_count; k++) {
			if (values[k].text != nullptr)
				continue;
			const char *value =
			    value_for_key(line, line_end, keys[k]);
			if (value != nullptr) {
				values[k] = cpuinfo_value{
				    value, std::size_t(line_end - value)};
				missing--;
				break;
			}
		}
		line = line_end + 1;
	}
}
