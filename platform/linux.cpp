// SPDX-License-Identifier: BSD-2-Clause
/*
 * Linux: answers FreeBSD's calls from uname(2), /proc/meminfo, sysinfo(2),
 * /proc/cpuinfo and on ARM the identification register in /sys, from
 * /sys/firmware, the directory /proc and CLOCK_BOOTTIME, with FreeBSD's value
 * types, sizes and failure rules.
 */
#include "platform.h"

#include "cpu_names.h"
#include "proc_files.h"
#include "proc_text.h"
#include "sysctl_values.h"

#include <sys/sysinfo.h>
#include <sys/syscall.h>
#include <sys/utsname.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

/* The handle is the open /proc directory; a run needs only one. */
struct platform::kvm_t {
	int proc_fd;
};

/* Entries are never read, so one stands for them all. */
struct platform::kinfo_proc {
};

using platform::sysctl_values::copy_count;
using platform::sysctl_values::copy_string;
using platform::sysctl_values::copy_value;

namespace
{

/*
 * One page.  A fresh process pays a page fault for every page of stack it
 * touches, which costs more here than the system calls of a larger buffer
 * would save.
 */
constexpr std::size_t PROC_FILE_MAX = 4096;

/*
 * The part of /proc/meminfo read.  Its lines that hold the memory figures
 * are its first five, within some 140 bytes, and a read that fills the
 * buffer needs no second read to find the end of the file.
 */
constexpr std::size_t MEMINFO_PART = 1024;

platform::kvm_t proc_handle;
platform::kinfo_proc proc_entry;

int fail(int error)
{
	errno = error;
	return -1;
}

/*
 * The names of uname(2), taken once, so that the four values read from it
 * describe the same moment.  Returns a null pointer when it failed.
 */
const struct utsname *system_names()
{
	static struct utsname names;
	static int taken; /* 0 not yet, 1 taken, -1 failed */
	if (taken == 0)
		taken = uname(&names) == 0 ? 1 : -1;
	return taken > 0 ? &names : nullptr;
}

/* One text field of struct utsname, such as its nodename. */
using uname_field = char (utsname::*)[sizeof(utsname::nodename)];

int uname_string(uname_field field, void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	if (names == nullptr)
		return fail(ENOENT);
	const char *value = names->*field;
	return copy_string(value, strnlen(value, sizeof(names->*field)), oldp,
	                   oldlenp);
}

/* CPU 0's identification register, on an ARM processor. */
bool cpu0_midr(std::uint32_t *midr)
{
	char text[32];
	ssize_t length = platform::proc_files::read_text_file(
	    "/sys/devices/system/cpu/cpu0/regs/identification/midr_el1", text,
	    sizeof(text));
	return length > 0 &&
	       platform::cpu_names::parse_midr(text, std::size_t(length), midr);
}

/*
 * The part of /proc/cpuinfo read first.  The kernel formats a whole
 * processor record (some 1.3 KiB on x86, most of it the flags line) for
 * each read that reaches into it, so a read shorter than the first record
 * formats no other.  The lines that name the processor come early in it:
 * the model name is the fifth line on x86, and ARM's identification lines,
 * the furthest, end at byte 646 in the longest of 62 real machines.
 */
constexpr std::size_t CPUINFO_FIRST_PART = 1024;

/*
 * hw.model: the processor as FreeBSD names it, from /proc/cpuinfo and, on
 * ARM alone, the identification register in sysfs.  Only when the first
 * part of /proc/cpuinfo names nothing is a whole page read.
 */
int cpu_model(void *oldp, std::size_t *oldlenp)
{
	static const std::size_t read_sizes[] = {CPUINFO_FIRST_PART,
	                                         PROC_FILE_MAX};
	char text[PROC_FILE_MAX];
	for (std::size_t size : read_sizes) {
		ssize_t length = platform::proc_files::read_text_file(
		    "/proc/cpuinfo", text, size);
		if (length <= 0)
			break;
		char made[platform::cpu_names::MADE_NAME_SIZE];
		const char *model;
		std::size_t model_length;
		if (platform::cpu_names::processor_name(
		        text, std::size_t(length), cpu0_midr, made, &model,
		        &model_length))
			return copy_string(model, model_length, oldp, oldlenp);
	}
	return fail(ENOENT);
}

/* Returns 1 when path exists, 0 when it does not, -1 when unknown. */
int firmware_entry(const char *path)
{
	if (access(path, F_OK) == 0)
		return 1;
	return errno == ENOENT ? 0 : -1;
}

/*
 * machdep.bootmethod: "UEFI" when the kernel shows EFI firmware, "BIOS" when
 * /sys/firmware shows a PC firmware (its memory map or ACPI tables) and no
 * EFI.  Anything else names neither: a /sys/firmware that a container has
 * masked or emptied, one that cannot be read, or a board described by a
 * device tree.
 */
int boot_method(void *oldp, std::size_t *oldlenp)
{
	int efi = firmware_entry("/sys/firmware/efi");
	if (efi > 0)
		return copy_string("UEFI", 4, oldp, oldlenp);
	if (efi == 0 && (firmware_entry("/sys/firmware/memmap") > 0 ||
	                 firmware_entry("/sys/firmware/acpi") > 0))
		return copy_string("BIOS", 4, oldp, oldlenp);
	return fail(ENOENT);
}

/* The two memory figures, in bytes, from one source at one moment. */
struct memory_view {
	bool known;
	std::uint64_t total;
	std::uint64_t available;
};

bool kib_to_bytes(std::uint64_t kib, std::uint64_t *bytes)
{
	return !__builtin_mul_overflow(kib, 1024, bytes);
}

/*
 * The view of /proc/meminfo, which a container may have made its own
 * (lxcfs): both figures from one read of it.
 */
platform::proc_text::meminfo_status meminfo_view(memory_view *view)
{
	using platform::proc_text::meminfo_status;
	char text[MEMINFO_PART];
	ssize_t length = platform::proc_files::read_text_file(
	    "/proc/meminfo", text, sizeof(text));
	if (length <= 0)
		return meminfo_status::no_total;
	std::uint64_t total_kib;
	std::uint64_t available_kib;
	meminfo_status status = platform::proc_text::meminfo_memory(
	    text, std::size_t(length), &total_kib, &available_kib);
	if (status == meminfo_status::known &&
	    !(kib_to_bytes(total_kib, &view->total) &&
	      kib_to_bytes(available_kib, &view->available)))
		return meminfo_status::no_available;
	return status;
}

/*
 * Both figures from sysinfo(2), for a system whose /proc/meminfo cannot be
 * read.  Its free memory leaves out the page cache, so less is available
 * than /proc/meminfo would say.
 */
bool sysinfo_view(memory_view *view)
{
	struct sysinfo info;
	return sysinfo(&info) == 0 &&
	       !__builtin_mul_overflow(std::uint64_t(info.totalram),
	                               info.mem_unit, &view->total) &&
	       !__builtin_mul_overflow(std::uint64_t(info.freeram),
	                               info.mem_unit, &view->available);
}

/*
 * The view of memory for the whole run, taken at its first use.  A
 * /proc/meminfo with a total but no trustworthy available figure gives no
 * view at all: mixing in sysinfo(2)'s figures would describe another
 * machine's memory where the container has a view of its own.
 */
const memory_view &memory()
{
	using platform::proc_text::meminfo_status;
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

/* hw.pagesize: an int. */
int page_size()
{
	return int(sysconf(_SC_PAGESIZE));
}

/*
 * vm.stats.vm.v_free_count: the available memory in pages, a u_int as on
 * FreeBSD, or 8 bytes for a count that does not fit in one (more than
 * 16 TiB available in pages of 4 KiB).
 */
int free_pages(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	int size = page_size();
	if (!view.known || size <= 0)
		return fail(ENOENT);
	return copy_count(view.available / std::uint64_t(size), oldp, oldlenp);
}

/*
 * hw.physmem: the total memory in bytes, 8 bytes on every machine (a
 * 32-bit u_long would wrap at 4 GiB).
 */
int physical_memory(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	if (!view.known)
		return fail(ENOENT);
	std::uint64_t bytes = view.total;
	return copy_value(&bytes, sizeof(bytes), oldp, oldlenp);
}

int page_size_value(void *oldp, std::size_t *oldlenp)
{
	int size = page_size();
	if (size <= 0)
		return fail(ENOENT);
	return copy_value(&size, sizeof(size), oldp, oldlenp);
}

} // namespace

int platform::sysctlbyname(const char *name, void *oldp, std::size_t *oldlenp,
                           const void *newp, std::size_t newlen)
{
	if (newp != nullptr || newlen != 0)
		return fail(EPERM);
	if (oldlenp == nullptr)
		return fail(EINVAL);
	if (std::strcmp(name, "kern.hostname") == 0)
		return uname_string(&utsname::nodename, oldp, oldlenp);
	if (std::strcmp(name, "kern.ostype") == 0)
		return uname_string(&utsname::sysname, oldp, oldlenp);
	if (std::strcmp(name, "hw.machine_arch") == 0)
		return uname_string(&utsname::machine, oldp, oldlenp);
	if (std::strcmp(name, "kern.osrelease") == 0)
		return uname_string(&utsname::release, oldp, oldlenp);
	if (std::strcmp(name, "hw.model") == 0)
		return cpu_model(oldp, oldlenp);
	if (std::strcmp(name, "machdep.bootmethod") == 0)
		return boot_method(oldp, oldlenp);
	if (std::strcmp(name, "vm.stats.vm.v_free_count") == 0)
		return free_pages(oldp, oldlenp);
	if (std::strcmp(name, "hw.pagesize") == 0)
		return page_size_value(oldp, oldlenp);
	if (std::strcmp(name, "hw.physmem") == 0)
		return physical_memory(oldp, oldlenp);
	return fail(ENOENT);
}

platform::kvm_t *platform::kvm_openfiles(const char * /*execfile*/,
                                         const char * /*corefile*/,
                                         const char * /*swapfile*/,
                                         int /*flags*/, char *errbuf)
{
	int fd = open("/proc", O_RDONLY | O_DIRECTORY);
	if (fd < 0) {
		std::snprintf(errbuf, platform::KVM_ERRBUF_SIZE, "/proc: %s",
		              std::strerror(errno));
		return nullptr;
	}
	proc_handle.proc_fd = fd;
	return &proc_handle;
}

/* Counts the numbered directories of /proc: one per process. */
platform::kinfo_proc *platform::kvm_getprocs(platform::kvm_t *kd, int op,
                                             int /*arg*/, int *count)
{
	if (kd == nullptr || op != platform::PROC_SELECTOR_PROCESSES) {
		errno = EINVAL;
		return nullptr;
	}
	if (!platform::proc_files::count_process_directory(kd->proc_fd,
	                                                   count)) {
		errno = EIO;
		return nullptr;
	}
	return &proc_entry;
}

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	if (clock_id != platform::UPTIME_CLOCK)
		return fail(EINVAL);
	/*
	 * A 32-bit system has two clock calls, of 32- and 64-bit time, and
	 * which one fits struct timespec is the C library's to know.
	 */
	if (sizeof(long) < sizeof(std::int64_t))
		return ::clock_gettime(CLOCK_BOOTTIME, tp);
	/*
	 * By system call rather than through the vDSO, whose first use costs
	 * a fresh process more page faults than the call itself.
	 */
	return syscall(SYS_clock_gettime, CLOCK_BOOTTIME, tp) == 0 ? 0 : -1;
}

char *platform::getenv(const char *name)
{
	return std::getenv(name);
}
