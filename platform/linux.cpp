/*
 * Linux: answers FreeBSD's calls from uname(2), sysinfo(2), /proc, /sys and
 * sysconf(3), with FreeBSD's value types, sizes and failure rules.  Files are
 * read once, with open(2) and read(2), into buffers on the stack.
 */
#include "platform.h"
#include "linux.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <sys/syscall.h>
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

/* Copies a value of size bytes out as FreeBSD's sysctl does. */
int copy_value(const void *value, std::size_t size, void *oldp,
               std::size_t *oldlenp)
{
	if (oldp == nullptr) {
		*oldlenp = size;
		return 0;
	}
	if (*oldlenp < size)
		return fail(ENOMEM);
	std::memcpy(oldp, value, size);
	*oldlenp = size;
	return 0;
}

/* Copies length bytes of text out as a string with its terminating zero. */
int copy_string(const char *text, std::size_t length, void *oldp,
                std::size_t *oldlenp)
{
	if (oldp == nullptr) {
		*oldlenp = length + 1;
		return 0;
	}
	if (*oldlenp < length + 1)
		return fail(ENOMEM);
	std::memcpy(oldp, text, length);
	static_cast<char *>(oldp)[length] = '\0';
	*oldlenp = length + 1;
	return 0;
}

/*
 * Reads the start of a file, up to size bytes, in one read and returns its
 * length or -1.  A read that fills the buffer may end inside a line, so the
 * text then ends at its last whole line.
 */
ssize_t read_file(const char *path, char *buffer, std::size_t size)
{
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return -1;
	ssize_t length = read(fd, buffer, size);
	close(fd);
	if (length == ssize_t(size))
		length = ssize_t(
		    platform::linux_text::whole_lines_length(buffer, size));
	return length;
}

/* One text field of struct utsname, such as its nodename. */
using uname_field = char (utsname::*)[sizeof(utsname::nodename)];

int uname_string(uname_field field, void *oldp, std::size_t *oldlenp)
{
	struct utsname system;
	if (uname(&system) != 0)
		return fail(ENOENT);
	const char *value = system.*field;
	return copy_string(value, std::strlen(value), oldp, oldlenp);
}

int cpu_model(void *oldp, std::size_t *oldlenp)
{
	char text[PROC_FILE_MAX];
	ssize_t length = read_file("/proc/cpuinfo", text, sizeof(text));
	const char *model;
	std::size_t model_length;
	if (length <= 0 ||
	    !platform::linux_text::cpuinfo_model(text, std::size_t(length),
	                                         &model, &model_length))
		return fail(ENOENT);
	return copy_string(model, model_length, oldp, oldlenp);
}

int boot_method(void *oldp, std::size_t *oldlenp)
{
	const char *method =
	    access("/sys/firmware/efi", F_OK) == 0 ? "UEFI" : "BIOS";
	return copy_string(method, 4, oldp, oldlenp);
}

bool read_meminfo(const char *key, std::uint64_t *kib)
{
	char text[PROC_FILE_MAX];
	ssize_t length = read_file("/proc/meminfo", text, sizeof(text));
	return length > 0 && platform::linux_text::meminfo_kib(
	                         text, std::size_t(length), key, kib);
}

/* vm.stats.vm.v_free_count: MemAvailable in pages, a u_int. */
int free_pages(void *oldp, std::size_t *oldlenp)
{
	std::uint64_t kib;
	if (!read_meminfo("MemAvailable", &kib))
		return fail(ENOENT);
	std::uint64_t page_kib = std::uint64_t(sysconf(_SC_PAGESIZE)) / 1024;
	std::uint64_t pages = page_kib == 0 ? 0 : kib / page_kib;
	unsigned int count = pages > UINT_MAX ? UINT_MAX : unsigned(pages);
	return copy_value(&count, sizeof(count), oldp, oldlenp);
}

/*
 * hw.physmem: MemTotal in bytes, a u_long.  sysinfo(2) gives the same figure
 * as /proc/meminfo without formatting and parsing a whole file.
 */
int physical_memory(void *oldp, std::size_t *oldlenp)
{
	struct sysinfo info;
	if (sysinfo(&info) != 0)
		return fail(ENOENT);
	unsigned long bytes;
	if (__builtin_mul_overflow(info.totalram, info.mem_unit, &bytes))
		bytes = ULONG_MAX;
	return copy_value(&bytes, sizeof(bytes), oldp, oldlenp);
}

/* hw.pagesize: an int. */
int page_size(void *oldp, std::size_t *oldlenp)
{
	int size = int(sysconf(_SC_PAGESIZE));
	return copy_value(&size, sizeof(size), oldp, oldlenp);
}

/* Of the directories of /proc, only those of processes start with a digit. */
bool is_process_name(const char *name)
{
	return *name >= '0' && *name <= '9';
}

/* Returns where the line that starts at line ends: its '\n' or end. */
const char *end_of_line(const char *line, const char *end)
{
	const void *newline = std::memchr(line, '\n', std::size_t(end - line));
	return newline != nullptr ? static_cast<const char *>(newline) : end;
}

} // namespace

std::size_t platform::linux_text::whole_lines_length(const char *text,
                                                     std::size_t length)
{
	while (length > 0 && text[length - 1] != '\n')
		length--;
	return length;
}

bool platform::linux_text::meminfo_kib(const char *text, std::size_t length,
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
			if (p == line_end || *p < '0' || *p > '9')
				return false;
			std::uint64_t value = 0;
			for (; p < line_end && *p >= '0' && *p <= '9'; p++) {
				unsigned digit = unsigned(*p - '0');
				if (value > (UINT64_MAX - digit) / 10) {
					value = UINT64_MAX;
					break;
				}
				value = value * 10 + digit;
			}
			*kib = value;
			return true;
		}
		line = line_end + 1;
	}
	return false;
}

bool platform::linux_text::cpuinfo_model(const char *text, std::size_t length,
                                         const char **model,
                                         std::size_t *model_length)
{
	static const char key[] = "model name";
	const std::size_t key_length = sizeof(key) - 1;
	const char *end = text + length;
	for (const char *line = text; line < end;) {
		const char *line_end = end_of_line(line, end);
		if (std::size_t(line_end - line) >= key_length &&
		    std::memcmp(line, key, key_length) == 0) {
			const char *colon =
			    static_cast<const char *>(std::memchr(
			        line, ':', std::size_t(line_end - line)));
			if (colon != nullptr) {
				const char *value = colon + 1;
				if (value < line_end && *value == ' ')
					value++;
				*model = value;
				*model_length = std::size_t(line_end - value);
				return true;
			}
		}
		line = line_end + 1;
	}
	return false;
}

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
		return page_size(oldp, oldlenp);
	if (std::strcmp(name, "hw.physmem") == 0)
		return physical_memory(oldp, oldlenp);
	return fail(ENOENT);
}

platform::kvm_t *platform::kvm_openfiles(const char * /*execfile*/,
                                         const char * /*corefile*/,
                                         const char * /*swapfile*/,
                                         int /*flags*/, char *errbuf)
{
	int fd = open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
	alignas(struct dirent64) char buffer[DIRENT_BUFFER_SIZE];
	int processes = 0;
	for (;;) {
		ssize_t length =
		    getdents64(kd->proc_fd, buffer, sizeof(buffer));
		if (length < 0)
			return nullptr;
		if (length == 0)
			break;
		for (ssize_t offset = 0; offset < length;) {
			const struct dirent64 *entry =
			    reinterpret_cast<const struct dirent64 *>(buffer +
			                                              offset);
			if (entry->d_type == DT_DIR &&
			    is_process_name(entry->d_name) &&
			    processes < INT_MAX)
				processes++;
			offset += entry->d_reclen;
		}
	}
	*count = processes;
	return &proc_entry;
}

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	if (clock_id != platform::UPTIME_CLOCK)
		return fail(EINVAL);
	return int(syscall(SYS_clock_gettime, CLOCK_BOOTTIME, tp));
}

char *platform::getenv(const char *name)
{
	return std::getenv(name);
}
