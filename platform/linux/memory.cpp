// SPDX-License-Identifier: BSD-2-Clause
/*
 * hw.physmem, vm.stats.vm.v_free_count and hw.pagesize: the memory in total
 * and available, from MemTotal and MemAvailable (or MemFree, Buffers and
 * Cached) of /proc/meminfo, or from sysinfo(2) where there is no meminfo
 * with a MemTotal line; and the page size from sysconf(3).
 */
#include "facts.h"
#include "lines.h"

#include <sys/sysinfo.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace facts = platform::linux_facts;
using facts::meminfo_reading;

namespace
{

/* The lines the figures come from, each from its key's first line. */
enum meminfo_key : unsigned char { TOTAL, AVAILABLE, FREE, BUFFERS, CACHED };
const char *const MEMINFO_KEYS[] = {"MemTotal", "MemAvailable", "MemFree",
                                    "Buffers", "Cached"};
constexpr std::size_t KEY_COUNT = sizeof(MEMINFO_KEYS) / sizeof(char *);

struct meminfo_figure {
	enum : unsigned char { absent, unreadable, read } state;
	std::uint64_t kib;
};
using meminfo_figures = meminfo_figure[KEY_COUNT];

/*
 * Reads the number of a line's value, what follows its colon: any run of
 * spaces and tabs, a number that fits in 64 bits and " kB", as in
 * "\t 8123456 kB".  Any other unit, or anything after it, is no figure.
 */
bool parse_kib(const char *value, const char *end, std::uint64_t *kib)
{
	static const char unit[] = " kB";
	constexpr std::size_t unit_length = sizeof(unit) - 1;
	if (std::size_t(end - value) < unit_length ||
	    std::memcmp(end - unit_length, unit, unit_length) != 0)
		return false;
	end -= unit_length;
	while (value < end && (*value == ' ' || *value == '\t'))
		value++;
	return facts::parse_number(value, end, 10, UINT64_MAX, kib);
}

/*
 * Takes one line, such as "MemTotal:       24684836 kB", into the figure of
 * its key when that has none yet, and returns whether it did.  A cut line
 * is the start of one too long to be a figure.
 */
bool take_meminfo_line(meminfo_figures &figures, const char *line,
                       std::size_t length, bool cut)
{
	for (std::size_t k = 0; k < KEY_COUNT; k++) {
		/* Most lines are told from every key by their first letter. */
		if (length == 0 || line[0] != MEMINFO_KEYS[k][0])
			continue;
		std::size_t key_length = std::strlen(MEMINFO_KEYS[k]);
		if (length <= key_length || line[key_length] != ':' ||
		    std::memcmp(line, MEMINFO_KEYS[k], key_length) != 0)
			continue;
		meminfo_figure &figure = figures[k];
		if (figure.state != meminfo_figure::absent)
			return false;
		figure.state = !cut && parse_kib(line + key_length + 1,
		                                 line + length, &figure.kib)
		                   ? meminfo_figure::read
		                   : meminfo_figure::unreadable;
		return true;
	}
	return false;
}

/*
 * The figures in kibibytes: MemTotal, and MemAvailable or, where there is
 * none (before Linux 3.14) or one above MemTotal (as lxcfs may show),
 * MemFree + Buffers + Cached.  A zero total, a figure that cannot be read
 * (in another unit, say) or more available than in total is no figure.
 */
meminfo_reading view_of(const meminfo_figures &of, std::uint64_t *total,
                        std::uint64_t *available)
{
	auto is_read = [&](meminfo_key k) {
		return of[k].state == meminfo_figure::read;
	};
	if (of[TOTAL].state == meminfo_figure::absent)
		return meminfo_reading::not_a_view;
	*total = of[TOTAL].kib;
	*available = of[AVAILABLE].kib;
	if (!is_read(TOTAL) || *total == 0 ||
	    of[AVAILABLE].state == meminfo_figure::unreadable)
		return meminfo_reading::no_figures;
	if ((is_read(AVAILABLE) && *available <= *total) ||
	    (is_read(FREE) && is_read(BUFFERS) && is_read(CACHED) &&
	     !__builtin_add_overflow(of[FREE].kib, of[BUFFERS].kib,
	                             available) &&
	     !__builtin_add_overflow(*available, of[CACHED].kib, available) &&
	     *available <= *total))
		return meminfo_reading::figures;
	return meminfo_reading::no_figures;
}

/*
 * The figures in bytes for the whole run, from one source at one moment:
 * /proc/meminfo, or sysinfo(2) (whose free memory leaves out the page
 * cache) where there is no meminfo with a MemTotal line.  A meminfo with
 * one but no figures to trust gives none: sysinfo's would describe another
 * machine's memory where a container has a view of its own.
 */
struct {
	bool taken, known;
	std::uint64_t total, available;
} memory;

void take_memory()
{
	if (memory.taken)
		return;
	memory.taken = true;
	struct sysinfo info;
	meminfo_reading reading = facts::read_meminfo(
	    "/proc/meminfo", &memory.total, &memory.available);
	memory.known =
	    reading == meminfo_reading::figures ||
	    (reading == meminfo_reading::not_a_view && sysinfo(&info) == 0 &&
	     !__builtin_mul_overflow(std::uint64_t(info.totalram),
	                             info.mem_unit, &memory.total) &&
	     !__builtin_mul_overflow(std::uint64_t(info.freeram), info.mem_unit,
	                             &memory.available) &&
	     memory.total > 0);
}

} // namespace

/*
 * Both figures from one reading of a file that a container may have made
 * its own; one that fails part way is a view without figures.
 */
meminfo_reading facts::read_meminfo(const char *path, std::uint64_t *total,
                                    std::uint64_t *available)
{
	meminfo_figures figures{};
	std::size_t keys_seen = 0;
	/* Once each key has had its first line, no later line counts. */
	file_read read = each_line(
	    path, [&](const char *line, std::size_t length, bool cut) {
		    if (take_meminfo_line(figures, line, length, cut))
			    keys_seen++;
		    return keys_seen < KEY_COUNT;
	    });
	if (read == file_read::absent)
		return meminfo_reading::not_a_view;
	std::uint64_t total_kib;
	std::uint64_t available_kib;
	meminfo_reading found = view_of(figures, &total_kib, &available_kib);
	if (found != meminfo_reading::figures)
		return found;
	if (read == file_read::failed ||
	    __builtin_mul_overflow(total_kib, 1024, &total_kib) ||
	    __builtin_mul_overflow(available_kib, 1024, &available_kib))
		return meminfo_reading::no_figures;
	*total = total_kib;
	*available = available_kib;
	return found;
}

/*
 * vm.stats.vm.v_free_count: the available memory in pages, a u_int as on
 * FreeBSD, or 8 bytes for a count that does not fit in one.
 */
int facts::free_pages(void *oldp, std::size_t *oldlenp)
{
	take_memory();
	long size = sysconf(_SC_PAGESIZE);
	if (!memory.known || size <= 0)
		return fail(ENOENT);
	return copy_count(memory.available / std::uint64_t(size), oldp,
	                  oldlenp);
}

/*
 * hw.physmem: the total memory in bytes, 8 bytes on every machine (a
 * 32-bit u_long would wrap at 4 GiB).
 */
int facts::physical_memory(void *oldp, std::size_t *oldlenp)
{
	take_memory();
	if (!memory.known)
		return fail(ENOENT);
	return copy_value(&memory.total, sizeof(memory.total), oldp, oldlenp);
}

/* hw.pagesize: an int. */
int facts::page_size(void *oldp, std::size_t *oldlenp)
{
	auto size = int(sysconf(_SC_PAGESIZE));
	if (size <= 0)
		return fail(ENOENT);
	return copy_value(&size, sizeof(size), oldp, oldlenp);
}
