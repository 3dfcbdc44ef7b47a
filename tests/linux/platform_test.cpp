// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Linux platform layer on this machine, checked against independent
 * readings (gethostname, uname, /proc).
 */
#include "platform.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/utsname.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sched.h>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

std::string read_string(const char *name)
{
	char value[256];
	std::size_t length = sizeof(value);
	if (platform::sysctlbyname(name, value, &length, nullptr, 0) != 0)
		return "(failed)";
	EXPECT_EQ(length, std::strlen(value) + 1) << name;
	return value;
}

TEST(LinuxPlatform, TextValuesMatchUname)
{
	char host[256] = "";
	gethostname(host, sizeof(host));
	struct utsname system;
	ASSERT_EQ(uname(&system), 0);
	EXPECT_EQ(read_string("kern.hostname"), host);
	EXPECT_EQ(read_string("kern.ostype"), system.sysname);
	EXPECT_EQ(read_string("hw.machine_arch"), system.machine);
	EXPECT_EQ(read_string("kern.osrelease"), system.release);
	/*
	 * A chroot without /sys, or a container that masks /sys/firmware,
	 * shows no firmware, and then no boot method either.
	 */
	struct stat entry;
	const char *shown = stat("/sys/firmware/efi", &entry) == 0 ? "UEFI"
	                    : stat("/sys/firmware/memmap", &entry) == 0 ||
	                            stat("/sys/firmware/acpi", &entry) == 0
	                        ? "BIOS"
	                        : "(failed)";
	EXPECT_EQ(read_string("machdep.bootmethod"), shown);
}

TEST(LinuxPlatform, MemoryValuesHaveFreeBsdSizes)
{
	std::uint64_t value = 0;
	std::size_t length = sizeof(value);
	ASSERT_EQ(
	    platform::sysctlbyname("hw.physmem", &value, &length, nullptr, 0),
	    0);
	EXPECT_EQ(length, 8u);
	std::uint64_t total_kib = 0;
	std::string key;
	for (std::ifstream meminfo("/proc/meminfo"); meminfo >> key;) {
		if (key == "MemTotal:") {
			meminfo >> total_kib;
			break;
		}
		meminfo.ignore(256, '\n');
	}
	EXPECT_EQ(value, total_kib * 1024);

	/* FreeBSD's int and u_int, read at their own size. */
	std::uint32_t narrow[2] = {};
	for (const char *name : {"hw.pagesize", "vm.stats.vm.v_free_count"}) {
		length = sizeof(narrow);
		ASSERT_EQ(
		    platform::sysctlbyname(name, narrow, &length, nullptr, 0),
		    0)
		    << name;
		EXPECT_EQ(length, 4u) << name;
		EXPECT_GT(narrow[0], 0u) << name;
	}
	length = sizeof(narrow);
	platform::sysctlbyname("hw.pagesize", narrow, &length, nullptr, 0);
	EXPECT_EQ(narrow[0], std::uint32_t(sysconf(_SC_PAGESIZE)));
}

TEST(LinuxPlatform, FailuresFollowFreeBsdRules)
{
	char text[4];
	std::size_t length = sizeof(text);
	errno = 0;
	EXPECT_EQ(platform::sysctlbyname("kern.no_such_name", text, &length,
	                                 nullptr, 0),
	          -1);
	EXPECT_EQ(errno, ENOENT);

	length = 4; /* "Linux" needs six bytes */
	errno = 0;
	EXPECT_EQ(
	    platform::sysctlbyname("kern.ostype", text, &length, nullptr, 0),
	    -1);
	EXPECT_EQ(errno, ENOMEM);

	std::uint32_t narrow;
	length = sizeof(narrow);
	errno = 0;
	EXPECT_EQ(
	    platform::sysctlbyname("hw.physmem", &narrow, &length, nullptr, 0),
	    -1);
	EXPECT_EQ(errno, ENOMEM);

	int new_value = 1;
	length = sizeof(narrow);
	EXPECT_EQ(platform::sysctlbyname("hw.pagesize", &narrow, &length,
	                                 &new_value, sizeof(new_value)),
	          -1);
}

/*
 * Counts the processes of a new PID namespace with a /proc of its own, in
 * which this test's process is the first and a child it starts is waiting:
 * exactly two, however busy the machine is.  Returns the count, -1 when
 * none was given, or -2 when the namespace cannot be had here.
 */
int count_in_own_namespace()
{
	int flags = CLONE_NEWPID | CLONE_NEWNS;
	if (geteuid() != 0)
		flags |= CLONE_NEWUSER;
	int result[2];
	if (pipe(result) != 0)
		return -2;
	pid_t outer = fork();
	if (outer == 0) {
		if (unshare(flags) != 0)
			_exit(2);
		pid_t first = fork(); /* the namespace's first process */
		if (first != 0)
			_exit(first > 0 && waitpid(first, nullptr, 0) == first
			          ? 0
			          : 2);
		int hold[2];
		if (pipe(hold) != 0 ||
		    mount(nullptr, "/proc", nullptr, MS_REC | MS_PRIVATE,
		          nullptr) != 0 ||
		    mount("proc", "/proc", "proc", 0, nullptr) != 0)
			_exit(2);
		if (fork() == 0) {
			char byte;
			close(hold[1]);
			_exit(int(read(hold[0], &byte, 1)));
		}
		char error_text[platform::KVM_ERRBUF_SIZE];
		int count = -1;
		platform::kvm_t *table = platform::kvm_openfiles(
		    nullptr, "/dev/null", nullptr, platform::KVM_OPEN_READ_ONLY,
		    error_text);
		if (table == nullptr ||
		    platform::kvm_getprocs(table,
		                           platform::PROC_SELECTOR_PROCESSES, 0,
		                           &count) == nullptr)
			count = -1;
		close(hold[1]);
		wait(nullptr);
		_exit(write(result[1], &count, sizeof(count)) == sizeof(count)
		          ? 0
		          : 2);
	}
	close(result[1]);
	int count = -2;
	int status = 0;
	bool given = read(result[0], &count, sizeof(count)) == sizeof(count);
	close(result[0]);
	waitpid(outer, &status, 0);
	return given ? count : -2;
}

TEST(LinuxPlatform, ProcessCountIsExactInANamespaceOfItsOwn)
{
	int count = count_in_own_namespace();
	if (count == -2)
		GTEST_SKIP() << "no PID and mount namespace can be made here";
	EXPECT_EQ(count, 2);
}

TEST(LinuxPlatform, UptimeClockMatchesProcUptime)
{
	struct timespec uptime;
	ASSERT_EQ(platform::clock_gettime(platform::UPTIME_CLOCK, &uptime), 0);
	double seconds = 0;
	std::ifstream("/proc/uptime") >> seconds;
	EXPECT_NEAR(double(uptime.tv_sec), seconds, 2.0);
}

} // namespace
