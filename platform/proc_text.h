// SPDX-License-Identifier: BSD-2-Clause
/*
 * The parsers of the Linux platform layer for the text of /proc/meminfo and
 * /proc/cpuinfo, apart from the files they read, so that they can be tested
 * and fuzzed on any buffer.
 */
#ifndef SYSFACTS_PLATFORM_PROC_TEXT_H
#define SYSFACTS_PLATFORM_PROC_TEXT_H

#include <cstddef>
#include <cstdint>

namespace platform::proc_text
{

/*
 * Finds the line of /proc/meminfo text that starts with key and a colon,
 * such as "MemAvailable:    8123456 kB", and stores its number, in kibibytes,
 * in *kib.  Returns true when the line is there and its number fits in 64
 * bits.
 */
bool meminfo_kib(const char *text, std::size_t length, const char *key,
                 std::uint64_t *kib);

/* What a /proc/meminfo text tells of memory. */
enum class meminfo_status {
	no_total,     /* no MemTotal: the text is not a view of memory */
	no_available, /* a MemTotal, but no available figure to trust */
	known,        /* both figures */
};

/*
 * Reads the two memory figures of /proc/meminfo text, in kibibytes, from
 * this one text: *total_kib from MemTotal, and *available_kib from
 * MemAvailable, or where there is none (Linux before 3.14) or one larger
 * than MemTotal (a container's own meminfo may have it so), from MemFree +
 * Buffers + Cached.  An available figure larger than the total is none.
 */
meminfo_status meminfo_memory(const char *text, std::size_t length,
                              std::uint64_t *total_kib,
                              std::uint64_t *available_kib);

/* A value of /proc/cpuinfo: where it starts and its length, or null. */
struct cpuinfo_value {
	const char *text;   // cppcheck-suppress unusedStructMember
	std::size_t length; // cppcheck-suppress unusedStructMember
};

/*
 * Finds, in one pass over /proc/cpuinfo text, the first line of each of
 * key_count keys, matched whole and in any case, such as "model name\t: AMD
 * EPYC 7B13" for the key "model name" (LoongArch prints "Model Name").
 * Each value is the text after the colon and one space, up to the line's
 * end; values[i] is left null for a key that no line has.
 */
void cpuinfo_values(const char *text, std::size_t length,
                    const char *const keys[], std::size_t key_count,
                    cpuinfo_value values[]);

/*
 * Returns the length of text up to and including its last newline, for a
 * read that filled its buffer and so may have stopped inside a line:
 * "MemTotal: 1 kB\nMemFr" gives 15.  Text with no newline gives 0.
 */
std::size_t whole_lines_length(const char *text, std::size_t length);

} // namespace platform::proc_text

#endif
