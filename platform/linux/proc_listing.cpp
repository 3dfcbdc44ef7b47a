// SPDX-License-Identifier: BSD-2-Clause
/*
 * The /proc directory: whether it is this namespace's own procfs, with
 * fstatfs(2) and readlinkat(2), and its process records, with lseek(2) and
 * getdents64(2).
 */
#include "proc_listing.h"

#include "proc_files.h"

#include <sys/statfs.h>
#include <sys/syscall.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace
{

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

constexpr std::size_t DIRENT_BUFFER_SIZE =
    platform::proc_files::READ_BUFFER_SIZE;

/*
 * The longest listing /proc can give: a record of at most 32 bytes for
 * each of the 4194304 pids Linux allows (PID_MAX_LIMIT), and room for its
 * fixed entries.  Each call but the last fills its buffer to within one
 * record of the longest name, so the calls are bounded too.
 */
constexpr std::uint64_t PROC_LISTING_MAX_BYTES = (4194304 + 4096) * 32ULL;
constexpr std::size_t LONGEST_RECORD = 280; /* a name of 255 bytes */
constexpr std::uint64_t PROC_LISTING_MAX_CALLS =
    (PROC_LISTING_MAX_BYTES / (DIRENT_BUFFER_SIZE - LONGEST_RECORD)) + 2;

/*
 * Linux has laid /proc out the same way since 2.4: its fixed entries
 * (cpuinfo, sys and some sixty more) at directory offsets below 256, then
 * "self" at 256, "thread-self" and one record a process.  A listing that
 * starts there spares the kernel the entries that hold no process.
 */
constexpr off_t FIRST_PROCESS_ENTRY = 256;

/* Returns true when the first of the records is named "self". */
bool starts_with_self(const char *records, std::size_t length)
{
	static const char self[] = "self";
	linux_dirent64 entry;
	if (length < DIRENT_NAME_OFFSET + sizeof(self))
		return false;
	std::memcpy(&entry, records, DIRENT_NAME_OFFSET);
	return entry.d_reclen >= DIRENT_NAME_OFFSET + sizeof(self) &&
	       entry.d_reclen <= length &&
	       std::memcmp(records + DIRENT_NAME_OFFSET, self, sizeof(self)) ==
	           0;
}

} // namespace

bool platform::proc_listing::count_process_records(const char *records,
                                                   std::size_t length,
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

bool platform::proc_listing::is_own_proc(int fd)
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

bool platform::proc_listing::count_process_directory(int fd, int *processes)
{
	alignas(8) char buffer[DIRENT_BUFFER_SIZE];
	int count = 0;
	int retries = platform::proc_files::INTERRUPTED_RETRIES;
	/*
	 * Until the first records are in, whether the start was skipped.  A
	 * seek that fails leaves a directory just opened at its start.
	 */
	off_t position = lseek(fd, FIRST_PROCESS_ENTRY, SEEK_SET);
	bool skipped = position == FIRST_PROCESS_ENTRY;
	if (position != FIRST_PROCESS_ENTRY && position != -1 &&
	    lseek(fd, 0, SEEK_SET) != 0)
		return false;
	for (std::uint64_t calls = 0; calls < PROC_LISTING_MAX_CALLS; calls++) {
		long length =
		    syscall(SYS_getdents64, fd, buffer, sizeof(buffer));
		if (length < 0 && errno == EINTR && retries-- > 0)
			continue;
		if (length < 0 || std::size_t(length) > sizeof(buffer))
			return false;
		/* Where the layout is not Linux's, list from the start. */
		if (skipped) {
			skipped = false;
			if (!starts_with_self(buffer, std::size_t(length))) {
				if (lseek(fd, 0, SEEK_SET) != 0)
					return false;
				continue;
			}
		}
		/*
		 * A listing without a single process is not of /proc (the
		 * reader itself would be in it) but of whatever is mounted
		 * there.
		 */
		if (length == 0) {
			*processes = count;
			return count > 0;
		}
		if (!count_process_records(buffer, std::size_t(length), &count))
			return false;
	}
	return false;
}
