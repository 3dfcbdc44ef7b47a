// SPDX-License-Identifier: BSD-2-Clause
/*
 * The process table: kvm_openfiles(3) opens the /proc directory, and
 * kvm_getprocs(3) counts its numbered folders, one for each process, when
 * it is this system's own procfs.
 */
#include "platform.h"

#include "proc_listing.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

/* The handle is the open /proc directory; a run needs only one. */
struct platform::kvm_t {
	int proc_fd;
};

/* Entries are never read, so one stands for them all. */
struct platform::kinfo_proc {
};

namespace
{

platform::kvm_t proc_handle;
platform::kinfo_proc proc_entry;

} // namespace

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
 * folders are not this system's processes.
 */
/* The handle's type is the contract's, FreeBSD's, and so not const. */
// cppcheck-suppress constParameterPointer
platform::kinfo_proc *platform::kvm_getprocs(platform::kvm_t *kd, int op,
                                             int /*arg*/, int *count)
{
	if (kd == nullptr || op != platform::PROC_SELECTOR_PROCESSES) {
		errno = EINVAL;
		return nullptr;
	}
	if (!platform::proc_listing::is_own_proc(kd->proc_fd) ||
	    !platform::proc_listing::count_process_directory(kd->proc_fd,
	                                                     count)) {
		errno = EIO;
		return nullptr;
	}
	return &proc_entry;
}
