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
 * Finds the first line of /proc/meminfo text that starts with key and a
 * colon, such as "MemAvailable:    8123456 kB", and stores its number, in
 * kibibytes, in *kib.  Returns true when the line is there and holds a
 * figure (meminfo_number).
 */
bool meminfo_kib(const char *text, std::size_t length, const char *key,
                 std::uint64_t *kib);

/*
 * Reads the value of a meminfo line, what follows its colon: any run of
 * spaces and tabs, a number that fits in 64 bits and " kB", as in
 * "\t 8123456 kB".  Any other unit, or anything after it, is not a figure.
 */
bool meminfo_number(const char *value, const char *end, std::uint64_t *kib);

/* The figures the memory view is made of, each from its key's first line. */
enum meminfo_key : unsigned char {
	MEM_TOTAL,
	MEM_AVAILABLE,
	MEM_FREE,
	MEM_BUFFERS,
	MEM_CACHED,
	MEMINFO_KEY_COUNT
};

struct meminfo_figure {
	// cppcheck-suppress unusedStructMember
	enum : unsigned char { absent, unreadable, read } state;
	std::uint64_t kib;
};

struct meminfo_figures {
	// cppcheck-suppress unusedStructMember
	meminfo_figure of[MEMINFO_KEY_COUNT];
};

/*
 * Takes one line of /proc/meminfo, without its line end, into figures
 * (which start zeroed, every figure absent); a cut line is the start of a
 * longer one.  Returns true while a later line could still change what
 * meminfo_view gives, false once it is settled.
 */
bool meminfo_take_line(meminfo_figures *figures, const char *line,
                       std::size_t length, bool cut);

/* What a /proc/meminfo text tells of memory. */
enum class meminfo_status : unsigned char {
	no_total,     /* no MemTotal line: the text is not a view of memory */
	no_available, /* a MemTotal line, but no figures to trust */
	known,        /* both figures */
};

/*
 * The two memory figures, in kibibytes: *total_kib from MemTotal, and
 * *available_kib from MemAvailable, or where there is none (Linux before
 * 3.14) or one larger than MemTotal (a container's own meminfo may have it
 * so), from MemFree + Buffers + Cached.  A total that is zero or cannot be
 * read, or an available figure larger than the total, is no view.
 */
meminfo_status meminfo_view(const meminfo_figures &figures,
                            std::uint64_t *total_kib,
                            std::uint64_t *available_kib);

/* meminfo_view of a whole text, every line of it taken. */
meminfo_status meminfo_memory(const char *text, std::size_t length,
                              std::uint64_t *total_kib,
                              std::uint64_t *available_kib);

/* A value of /proc/cpuinfo: where it starts and its length, or null. */
struct cpuinfo_value {
	const char *text;   // cppcheck-suppress unusedStructMember
	std::size_t length; // cppcheck-suppress unusedStructMember
};

/*
 * Returns where the value of the cpuinfo line [line, line_end) starts when
 * its key is key, or null: the key, matched in any case, then blanks up to
 * the colon, and one space after it.
 */
const char *cpuinfo_line_value(const char *line, const char *line_end,
                               const char *key);

/*
 * Finds, in one pass over /proc/cpuinfo text, the first line of each of
 * key_count keys, matched whole and in any case, such as "model name\t: AMD
 * EPYC 7B13" for the key "model name" (LoongArch prints "Model Name").
 * Each value is the text after the colon and one space, up to the line's
 * end.  A key whose values[i] is already set is not looked for again; the
 * others are left null when no line has them.
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
