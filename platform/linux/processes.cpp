// SPDX-License-Identifier: BSD-2-Clause
/*
 * The process table: kvm_openfiles(3) opens /proc, and kvm_getprocs(3)
 * counts its numbered folders with getdents64(2), when fstatfs(2) and
 * readlinkat(2) show it to be this system's own procfs.
 */
#include "facts.h"
#include "lines.h"
#include "platform.h"

#include <sys/statfs.h>
#include <sys/syscall.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace facts = platform::linux_facts;

/*
 * The handle is the open /proc directory, and a run needs only one; entries
 * are never read, so one stands for them all.
 */
struct platform::kvm_t {
	int proc_fd;
};
struct platform::kinfo_proc {
};

namespace
{

platform::kvm_t proc_handle;
platform::kinfo_proc proc_entry;

/*
 * A record of getdents64(2).  The C libraries declare it differently, so it
 * is spelled out here as the kernel writes it.
 */
struct linux_dirent64 {
	std::uint64_t d_ino;
	std::int64_t d_off;
	unsigned short d_reclen;
	unsigned char d_type;
	char d_name[1];
};
constexpr std::size_t DIRENT_NAME_OFFSET = offsetof(linux_dirent64, d_name);
constexpr unsigned char DIRENT_DIRECTORY = 4; /* DT_DIR */

/*
 * The longest listing /proc can give: a record of at most 32 bytes for
 * each of the 4194304 pids Linux allows (PID_MAX_LIMIT), and room for its
 * fixed entries.  Each call but the last fills its buffer to within one
 * record of the longest name, so the calls are bounded too.
 */
constexpr std::uint64_t PROC_LISTING_MAX_BYTES = (4194304 + 4096) * 32ULL;
constexpr std::size_t LONGEST_RECORD = 280; /* a name of 255 bytes */
constexpr std::uint64_t PROC_LISTING_MAX_CALLS =
    (PROC_LISTING_MAX_BYTES / (facts::LINE_BUFFER_SIZE - LONGEST_RECORD)) + 2;

/*
 * Linux has laid /proc out the same way since 2.4: its fixed entries at
 * directory offsets below 256, then "self" at 256 and a record a process.
 * A listing that starts there spares the kernel the fixed entries; one
 * that finds no "self" there starts over.
 */
constexpr off_t FIRST_PROCESS_ENTRY = 256;

bool starts_with_self(const char *records, long length)
{
	return length > long(DIRENT_NAME_OFFSET + 4) &&
	       std::memcmp(records + DIRENT_NAME_OFFSET, "self", 5) == 0;
}

} // namespace

/*
 * Counts the folders named with a digit first; a record too short to hold
 * a name or running past the data fails the count.
 */
bool facts::count_process_records(const char *records, std::size_t length,
                                  int *processes)
{
	for (std::size_t offset = 0; offset < length;) {
		linux_dirent64 entry;
		if (length - offset <= DIRENT_NAME_OFFSET)
			return false;
		std::memcpy(&entry, records + offset, DIRENT_NAME_OFFSET + 1);
		if (entry.d_reclen <= DIRENT_NAME_OFFSET ||
		    entry.d_reclen > length - offset)
			return false;
		if (entry.d_type == DIRENT_DIRECTORY &&
		    entry.d_name[0] >= '0' && entry.d_name[0] <= '9' &&
		    *processes < INT_MAX)
			++*processes;
		offset += entry.d_reclen;
	}
	return true;
}

/*
 * Only the kernel's procfs of this PID namespace has a "self" naming this
 * process: not a tmpfs, a task folder bound over /proc or another's /proc.
 */
bool facts::is_own_proc(int fd)
{
	/* PROC_SUPER_MAGIC, from <linux/magic.h>. */
	constexpr unsigned long PROC_FILE_SYSTEM = 0x9fa0;
	struct statfs file_system;
	if (fstatfs(fd, &file_system) != 0 ||
	    static_cast<unsigned long>(file_system.f_type) != PROC_FILE_SYSTEM)
		return false;
	/* "self" links to the reader's process ID, such as "4242". */
	char self[16];
	ssize_t length = readlinkat(fd, "self", self, sizeof(self));
	if (length <= 0 || std::size_t(length) >= sizeof(self))
		return false;
	long long pid = 0;
	for (ssize_t i = 0; i < length; i++) {
		if (self[i] < '0' || self[i] > '9')
			return false;
		pid = (pid * 10) + (self[i] - '0');
	}
	return pid == getpid();
}

/*
 * Fails when a call fails, a record is malformed, or the listing holds no
 * process or runs longer than any /proc can.
 */
bool facts::count_process_directory(int fd, int *processes)
{
	alignas(8) char buffer[LINE_BUFFER_SIZE];
	int count = 0;
	int retries = INTERRUPTED_READ_RETRIES;
	off_t at = lseek(fd, FIRST_PROCESS_ENTRY, SEEK_SET);
	bool skipped = at == FIRST_PROCESS_ENTRY;
	if (at > 0 && !skipped && lseek(fd, 0, SEEK_SET) != 0)
		return false;
	for (std::uint64_t calls = 0; calls < PROC_LISTING_MAX_CALLS; calls++) {
		long length =
		    syscall(SYS_getdents64, fd, buffer, sizeof(buffer));
		if (length < 0 && errno == EINTR && retries-- > 0)
			continue;
		if (length < 0 || std::size_t(length) > sizeof(buffer))
			return false;
		if (skipped && !starts_with_self(buffer, length)) {
			skipped = false;
			if (lseek(fd, 0, SEEK_SET) != 0)
				return false;
			continue;
		}
		skipped = false;
		/* Without a process, even the reader, it is not of /proc. */
		if (length == 0) {
			*processes = count;
			return count > 0;
		}
		if (!count_process_records(buffer, std::size_t(length), &count))
			return false;
	}
	return false;
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

/*
 * Counts the numbered directories of /proc.  Whatever else is mounted
 * there, or the /proc of another PID namespace, gives no count: its
 * folders are not this system's processes.  The handle's type is the
 * contract's, FreeBSD's, and so not const.
 */
// cppcheck-suppress constParameterPointer
platform::kinfo_proc *platform::kvm_getprocs(platform::kvm_t *kd, int op,
                                             int /*arg*/, int *count)
{
	if (kd == nullptr || op != platform::PROC_SELECTOR_PROCESSES) {
		errno = EINVAL;
		return nullptr;
	}
	if (!facts::is_own_proc(kd->proc_fd) ||
	    !facts::count_process_directory(kd->proc_fd, count)) {
		errno = EIO;
		return nullptr;
	}
	return &proc_entry;
}
