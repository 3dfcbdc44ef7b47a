// SPDX-License-Identifier: BSD-2-Clause
/*
 * Linux: answers FreeBSD's calls from uname(2), /proc/meminfo, sysinfo(2),
 * /proc/cpuinfo, /sys/firmware, the directory /proc and CLOCK_BOOTTIME,
 * with FreeBSD's value types, sizes and failure rules.
 */
#include "platform.h"

#include "proc_files.h"
#include "proc_text.h"

#include <sys/sysinfo.h>
#include <sys/syscall.h>
#include <sys/utsname.h>

#include <cerrno>
#include <climits>
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
	bool listed; /* read to its end once, so rewind before the next */
};

/* Entries are never read, so one stands for them all. */
struct platform::kinfo_proc {
};

namespace
{

/*
 * One page each.  A fresh process pays a page fault for every page of stack
 * it touches, which costs more here than the system calls of a larger buffer
 * would save.  The lines read from /proc files come early: "model name" is
 * the fifth line of /proc/cpuinfo and "MemAvailable" the third of
 * /proc/meminfo.
 */
constexpr std::size_t PROC_FILE_MAX = 4096;
constexpr std::size_t DIRENT_BUFFER_SIZE = 4096;

platform::kvm_t proc_handle;
platform::kinfo_proc proc_entry;

int fail(int error)
{
	errno = error;
	return -1;
}

/*
 * Copies a value of size bytes out as FreeBSD's sysctl does: what fits,
 * then ENOMEM when that was not all of it.
 */
int copy_value(const void *value, std::size_t size, void *oldp,
               std::size_t *oldlenp)
{
	if (oldp == nullptr) {
		*oldlenp = size;
		return 0;
	}
	if (*oldlenp < size) {
		std::memcpy(oldp, value, *oldlenp);
		return fail(ENOMEM);
	}
	std::memcpy(oldp, value, size);
	*oldlenp = size;
	return 0;
}

/*
 * Copies length bytes of text out as a string with its terminating zero, as
 * copy_value does.
 */
int copy_string(const char *text, std::size_t length, void *oldp,
                std::size_t *oldlenp)
{
	std::size_t size = length + 1;
	if (oldp == nullptr) {
		*oldlenp = size;
		return 0;
	}
	if (*oldlenp < size) {
		std::memcpy(oldp, text, *oldlenp);
		return fail(ENOMEM);
	}
	std::memcpy(oldp, text, length);
	static_cast<char *>(oldp)[length] = '\0';
	*oldlenp = size;
	return 0;
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

/* hw.model: the first "model name" of /proc/cpuinfo. */
int cpu_model(void *oldp, std::size_t *oldlenp)
{
	char text[PROC_FILE_MAX];
	ssize_t length = platform::proc_files::read_text_file(
	    "/proc/cpuinfo", text, sizeof(text));
	const char *model;
	std::size_t model_length;
	if (length <= 0 ||
	    !platform::proc_text::cpuinfo_model(text, std::size_t(length),
	                                        &model, &model_length))
		return fail(ENOENT);
	return copy_string(model, model_length, oldp, oldlenp);
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
 * MemTotal and MemAvailable from one read of /proc/meminfo, which a
 * container may have made its own (lxcfs), so that both figures come from
 * the same view of memory.  A view with more memory available than in
 * total is not one to show.
 */
bool meminfo_view(memory_view *view)
{
	char text[PROC_FILE_MAX];
	ssize_t length = platform::proc_files::read_text_file(
	    "/proc/meminfo", text, sizeof(text));
	std::uint64_t total_kib;
	std::uint64_t available_kib;
	return length > 0 &&
	       platform::proc_text::meminfo_kib(text, std::size_t(length),
	                                        "MemTotal", &total_kib) &&
	       platform::proc_text::meminfo_kib(
	           text, std::size_t(length), "MemAvailable", &available_kib) &&
	       available_kib <= total_kib &&
	       kib_to_bytes(total_kib, &view->total) &&
	       kib_to_bytes(available_kib, &view->available);
}

/* Both figures from sysinfo(2), for a system without a usable meminfo. */
bool sysinfo_view(memory_view *view)
{
	struct sysinfo info;
	return sysinfo(&info) == 0 &&
	       !__builtin_mul_overflow(std::uint64_t(info.totalram),
	                               info.mem_unit, &view->total) &&
	       !__builtin_mul_overflow(std::uint64_t(info.freeram),
	                               info.mem_unit, &view->available);
}

/* The view of memory for the whole run, taken at its first use. */
const memory_view &memory()
{
	static memory_view view;
	static bool taken;
	if (!taken) {
		taken = true;
		view.known = meminfo_view(&view) || sysinfo_view(&view);
	}
	return view;
}

/* hw.pagesize: an int. */
int page_size()
{
	return int(sysconf(_SC_PAGESIZE));
}

/* vm.stats.vm.v_free_count: the available memory in pages, a u_int. */
int free_pages(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	int size = page_size();
	if (!view.known || size <= 0)
		return fail(ENOENT);
	std::uint64_t pages = view.available / std::uint64_t(size);
	unsigned int count = pages > UINT_MAX ? UINT_MAX : unsigned(pages);
	return copy_value(&count, sizeof(count), oldp, oldlenp);
}

/* hw.physmem: the total memory in bytes, a u_long. */
int physical_memory(void *oldp, std::size_t *oldlenp)
{
	const memory_view &view = memory();
	if (!view.known)
		return fail(ENOENT);
	unsigned long bytes = view.total;
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
	proc_handle.listed = false;
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
	if (kd->listed && lseek(kd->proc_fd, 0, SEEK_SET) != 0)
		return nullptr;
	kd->listed = true;
	alignas(8) char buffer[DIRENT_BUFFER_SIZE];
	int processes = 0;
	for (;;) {
		long length = syscall(SYS_getdents64, kd->proc_fd, buffer,
		                      sizeof(buffer));
		if (length < 0 && errno == EINTR)
			continue;
		if (length < 0 || std::size_t(length) > sizeof(buffer)) {
			errno = EIO;
			return nullptr;
		}
		if (length == 0)
			break;
		if (!platform::proc_files::count_process_records(
		        buffer, std::size_t(length), &processes)) {
			errno = EIO;
			return nullptr;
		}
	}
	*count = processes;
	return &proc_entry;
}

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	if (clock_id != platform::UPTIME_CLOCK)
		return fail(EINVAL);
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
