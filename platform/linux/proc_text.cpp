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
		number = (number * 10) + digit;
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

bool platform::proc_text::meminfo_number(const char *value, const char *end,
                                         std::uint64_t *kib)
{
	static const char unit[] = " kB";
	constexpr std::size_t unit_length = sizeof(unit) - 1;
	if (std::size_t(end - value) < unit_length ||
	    std::memcmp(end - unit_length, unit, unit_length) != 0)
		return false;
	const char *number_end = end - unit_length;
	while (value < number_end && (*value == ' ' || *value == '\t'))
		value++;
	for (const char *p = value; p < number_end; p++)
		if (*p < '0' || *p > '9')
			return false;
	return parse_decimal(value, number_end, kib);
}

namespace
{

const char *const MEMINFO_KEYS[platform::proc_text::MEMINFO_KEY_COUNT] = {
    "MemTotal", "MemAvailable", "MemFree", "Buffers", "Cached"};

/* Returns where the value of line starts when its key is key, or null. */
const char *meminfo_value(const char *line, const char *end, const char *key)
{
	std::size_t key_length = std::strlen(key);
	if (std::size_t(end - line) <= key_length ||
	    std::memcmp(line, key, key_length) != 0 || line[key_length] != ':')
		return nullptr;
	return line + key_length + 1;
}

} // namespace

bool platform::proc_text::meminfo_kib(const char *text, std::size_t length,
                                      const char *key, std::uint64_t *kib)
{
	const char *end = text + length;
	for (const char *line = text; line < end;) {
		const char *line_end = end_of_line(line, end);
		const char *value = meminfo_value(line, line_end, key);
		if (value != nullptr)
			return meminfo_number(value, line_end, kib);
		line = line_end + 1;
	}
	return false;
}

bool platform::proc_text::meminfo_take_line(meminfo_figures *figures,
                                            const char *line,
                                            std::size_t length, bool cut)
{
	const char *end = line + length;
	for (std::size_t k = 0; k < MEMINFO_KEY_COUNT; k++) {
		meminfo_figure &figure = figures->of[k];
		const char *value = meminfo_value(line, end, MEMINFO_KEYS[k]);
		if (figure.state != meminfo_figure::absent || value == nullptr)
			continue;
		bool readable = !cut && meminfo_number(value, end, &figure.kib);
		figure.state = readable ? meminfo_figure::read
		                        : meminfo_figure::unreadable;
		break;
	}
	const meminfo_figure *of = figures->of;
	if (of[MEM_TOTAL].state == meminfo_figure::absent)
		return true;
	if (of[MEM_TOTAL].state == meminfo_figure::unreadable ||
	    of[MEM_TOTAL].kib == 0)
		return false;
	/* A MemAvailable line yet to come would take the place of the rest. */
	if (of[MEM_AVAILABLE].state == meminfo_figure::absent)
		return true;
	if (of[MEM_AVAILABLE].state == meminfo_figure::read &&
	    of[MEM_AVAILABLE].kib <= of[MEM_TOTAL].kib)
		return false;
	return of[MEM_FREE].state == meminfo_figure::absent ||
	       of[MEM_BUFFERS].state == meminfo_figure::absent ||
	       of[MEM_CACHED].state == meminfo_figure::absent;
}

platform::proc_text::meminfo_status
platform::proc_text::meminfo_view(const meminfo_figures &figures,
                                  std::uint64_t *total_kib,
                                  std::uint64_t *available_kib)
{
	const meminfo_figure *of = figures.of;
	if (of[MEM_TOTAL].state == meminfo_figure::absent)
		return meminfo_status::no_total;
	std::uint64_t total = of[MEM_TOTAL].kib;
	if (of[MEM_TOTAL].state != meminfo_figure::read || total == 0)
		return meminfo_status::no_available;
	std::uint64_t available = of[MEM_AVAILABLE].kib;
	bool known = (of[MEM_AVAILABLE].state == meminfo_figure::read &&
	              available <= total) ||
	             (of[MEM_FREE].state == meminfo_figure::read &&
	              of[MEM_BUFFERS].state == meminfo_figure::read &&
	              of[MEM_CACHED].state == meminfo_figure::read &&
	              !__builtin_add_overflow(
	                  of[MEM_FREE].kib, of[MEM_BUFFERS].kib, &available) &&
	              !__builtin_add_overflow(available, of[MEM_CACHED].kib,
	                                      &available) &&
	              available <= total);
	if (!known)
		return meminfo_status::no_available;
	*total_kib = total;
	*available_kib = available;
	return meminfo_status::known;
}

platform::proc_text::meminfo_status
platform::proc_text::meminfo_memory(const char *text, std::size_t length,
                                    std::uint64_t *total_kib,
                                    std::uint64_t *available_kib)
{
	meminfo_figures figures{};
	const char *end = text + length;
	for (const char *line = text; line < end;) {
		const char *line_end = end_of_line(line, end);
		meminfo_take_line(&figures, line, std::size_t(line_end - line),
		                  false);
		line = line_end + 1;
	}
	return meminfo_view(figures, total_kib, available_kib);
}

static char ascii_lower(char c)
{
	return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

const char *platform::proc_text::cpuinfo_line_value(const char *line,
                                                    const char *line_end,
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
	std::size_t missing = 0;
	for (std::size_t k = 0; k < key_count; k++)
		if (values[k].text == nullptr)
			missing++;
	const char *end = text + length;
	for (const char *line = text; line < end && missing > 0;) {
		const char *line_end = end_of_line(line, end);
		for (std::size_t k = 0; k < key_count; k++) {
			if (values[k].text != nullptr)
				continue;
			const char *value =
			    cpuinfo_line_value(line, line_end, keys[k]);
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
