// SPDX-License-Identifier: BSD-2-Clause
/*
 * Whole reads of /proc text files, with open(2), fstat(2) and read(2), and
 * the records of the /proc directory.
 */
#include "proc_files.h"

#include "proc_text.h"

#include <sys/stat.h>
#include <sys/syscall.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
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

/*
 * One page: a fresh process pays a page fault for every page of stack it
 * touches, which costs more than the system calls a larger buffer saves.
 */
constexpr std::size_t DIRENT_BUFFER_SIZE = 4096;

/*
 * The longest listing /proc can give: a record of at most 32 bytes for
 * each of the 4194304 pids Linux allows (PID_MAX_LIMIT), and room for its
 * fixed entries.  Each call but the last fills its buffer to within one
 * record of the longest name, so the calls are bounded too.
 */
constexpr std::uint64_t PROC_LISTING_MAX_BYTES = (4194304 + 4096) * 32ULL;
constexpr std::size_t LONGEST_RECORD = 280; /* a name of 255 bytes */
constexpr std::uint64_t PROC_LISTING_MAX_CALLS =
    PROC_LISTING_MAX_BYTES / (DIRENT_BUFFER_SIZE - LONGEST_RECORD) + 2;

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

ssize_t platform::proc_files::read_to_end(int fd, char *buffer,
                                          std::size_t size)
{
	std::size_t length = 0;
	int retries = INTERRUPTED_RETRIES;
	while (length < size) {
		ssize_t part = read(fd, buffer + length, size - length);
		if (part < 0 && errno == EINTR && retries-- > 0)
			continue;
		if (part < 0)
			return -1;
		if (part == 0)
			break;
		length += std::size_t(part);
	}
	return ssize_t(length);
}

ssize_t platform::proc_files::read_text_file(const char *path, char *buffer,
                                             std::size_t size)
{
	/*
	 * O_NONBLOCK keeps the open of a FIFO without a writer from waiting;
	 * O_NOCTTY keeps a terminal from becoming ours.  The program never
	 * runs another, so close-on-exec would only cost a system call where
	 * the C library emulates it.
	 */
	int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
	if (fd < 0)
		return -1;
	struct stat status;
	ssize_t length = -1;
	if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
		length = read_to_end(fd, buffer, size);
	close(fd);
	if (length == ssize_t(size))
		length = ssize_t(
		    platform::proc_text::whole_lines_length(buffer, size));
	return length;
}

bool platform::proc_files::count_process_records(const char *records,
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

bool platform::proc_files::count_process_directory(int fd, int *processes)
{
	alignas(8) char buffer[DIRENT_BUFFER_SIZE];
	int count = 0;
	int retries = INTERRUPTED_RETRIES;
	/* Until the first records are in, whether the start was skipped. */
	bool skipped =
	    lseek(fd, FIRST_PROCESS_ENTRY, SEEK_SET) == FIRST_PROCESS_ENTRY;
	if (!skipped && lseek(fd, 0, SEEK_SET) != 0)
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
