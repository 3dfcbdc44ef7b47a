// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Linux platform layer on this machine, checked against independent
 * readings (gethostname, uname, /proc).
 */
#include "platform.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/utsname.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
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

int numbered_directories()
{
	int count = 0;
	DIR *proc = opendir("/proc");
	if (proc == nullptr)
		return -1;
	while (struct dirent *entry = readdir(proc))
		if (std::strspn(entry->d_name, "0123456789") ==
		    std::strlen(entry->d_name))
			count++;
	closedir(proc);
	return count;
}

TEST(LinuxPlatform, ProcessCountLiesBetweenReadingsBeforeAndAfter)
{
	char error_text[platform::KVM_ERRBUF_SIZE];
	platform::kvm_t *table =
	    platform::kvm_openfiles(nullptr, "/dev/null", nullptr,
	                            platform::KVM_OPEN_READ_ONLY, error_text);
	ASSERT_NE(table, nullptr) << error_text;
	int before = numbered_directories();
	int count = -1;
	ASSERT_NE(platform::kvm_getprocs(
	              table, platform::PROC_SELECTOR_PROCESSES, 0, &count),
	          nullptr);
	int after = numbered_directories();
	EXPECT_GT(count, 0);
	EXPECT_GE(count, std::min(before, after) - 2);
	EXPECT_LE(count, std::max(before, after) + 2);
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
