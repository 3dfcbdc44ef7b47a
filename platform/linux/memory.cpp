// SPDX-License-Identifier: BSD-2-Clause
/*
 * hw.physmem, vm.stats.vm.v_free_count and hw.pagesize: the memory in total
 * and available, from MemTotal and MemAvailable (or MemFree, Buffers and
 * Cached) of /proc/meminfo, or from sysinfo(2) where there is no meminfo
 * with a MemTotal line; and the page size from sysconf(3).
 */
#include "facts.h"
#include "proc_files.h"
#include "proc_text.h"
#include "sysctl_values.h"

#include <sys/sysinfo.h>

#include <cerrno>
#include <cstdint>
#include <unistd.h>

namespace
{

namespace proc_text = platform::proc_text;
using proc_text::meminfo_status;

/* The two memory figures, in bytes, from one source at one moment. */
struct memory_view {
	bool known;
	std::uint64_t total;
	std::uint64_t available;
};

bool take_line(const char *line, std::size_t length, bool cut, void *context)
{
	return proc_text::meminfo_take_line(
	    static_cast<proc_text::meminfo_figures *>(context), line, length,
	    cut);
}

/*
 * The kernel's figures are its first lines, well within the first read;
 * a container's meminfo (lxcfs) may hold them anywhere, and the reading
 * goes on until they are found.
 */
constexpr std::size_t MEMINFO_FIRST_READ = 1024;
constexpr std::size_t MEMINFO_BUFFER = platform::proc_files::READ_BUFFER_SIZE;

/*
 * The view of /proc/meminfo, which a container may have made its own: both
 * figures from one reading of it.  A file that cannot be read at all is
 * no meminfo; one that fails part way is no view.
 */
meminfo_status meminfo_view(memory_view *view)
{
	char buffer[MEMINFO_BUFFER];
	proc_text::meminfo_figures figures{};
	auto status = platform::proc_files::each_line(
	    "/proc/meminfo", buffer, sizeof(buffer), MEMINFO_FIRST_READ,
	    take_line, &figures);
	if (status == platform::proc_files::lines_status::absent)
		return meminfo_status::no_total;
	std::uint64_t total_kib;
	std::uint64_t available_kib;
	meminfo_status found =
	    proc_text::meminfo_view(figures, &total_kib, &available_kib);
	if (status == platform::proc_files::lines_status::failed)
		return found == meminfo_status::no_total
		           ? meminfo_status::no_total
		           : meminfo_status::no_available;
	if (found == meminfo_status::known &&
	    (__builtin_mul_overflow(total_kib, 1024, &view->total) ||
	     __builtin_mul_overflow(available_kib, 1024, &view->available)))
		return meminfo_status::no_available;
	return found;
}

/*
 * Both figures from sysinfo(2), for a system without a meminfo that has a
 * MemTotal line.  Its free memory leaves out the page cache, so less is
 * available than /proc/meminfo would say.
 */
bool sysinfo_view(memory_view *view)
{
	struct sysinfo info;
	return sysinfo(&info) == 0 &&
	       !__builtin_mul_overflow(std::uint64_t(info.totalram),
	                               info.mem_unit, &view->total) &&
	       !__builtin_mul_overflow(std::uint64_t(info.freeram),
	                               info.mem_unit, &view->available) &&
	       view->total > 0;
}

/*
 * The view of memory for the whole run, taken at its first use.  A
 * /proc/meminfo with a MemTotal line but no figures to trust gives no view
 * at all: sysinfo(2)'s figures would describe another machine's memory
 * where the container has a view of its own.
 */
const memory_view &memory()
{
	static memory_view view;
	static bool taken;
	if (!taken) {
		taken = true;
		switch (meminfo_view(&view)) {
		case meminfo_status::known:
			view.known = true;
			break;
		case meminfo_status::no_available:
			view.known = false;
			break;
		case meminfo_status::no_total:
			view.known = sysinfo_view(&view);
			break;
		}
	}
	return view;
}

int system_page_size()
{
	return int(sysconf(_SC_PAGESIZE));
}

} // namespace

/*
 * vm.stats.vm.v_free_count: the available memory in pages, a u_int as on
 * FreeBSD, or 8 bytes for a count that does not fit in one.
 */
int platform::linux_facts::free_pages(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	int size = system_page_size();
	if (!view.known || size <= 0)
		return fail(ENOENT);
	return platform::sysctl_values::copy_count(
	    view.available / std::uint64_t(size), oldp, oldlenp);
}

/*
 * hw.physmem: the total memory in bytes, 8 bytes on every machine (a
 * 32-bit u_long would wrap at 4 GiB).
 */
int platform::linux_facts::physical_memory(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	if (!view.known)
		return fail(ENOENT);
	std::uint64_t bytes = view.total;
	return platform::sysctl_values::copy_value(&bytes, sizeof(bytes), oldp,
	                                           oldlenp);
}

/* hw.pagesize: an int. */
int platform::linux_facts::page_size(void *oldp, std::size_t *oldlenp)
{
	int size = system_page_size();
	if (size <= 0)
		return fail(ENOENT);
	return platform::sysctl_values::copy_value(&size, sizeof(size), oldp,
	                                           oldlenp);
}
