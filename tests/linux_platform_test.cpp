// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Linux platform layer on this machine, checked against independent
 * readings (gethostname, uname, /proc), and its text parsers on
 * sample text.
 */
#include "platform.h"
#include "proc_text.h"
#include "sysctl_values.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>

#include <cerrno>
#include <cstdint>
#include <algorithm>
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
	std::string method = read_string("machdep.bootmethod");
	EXPECT_TRUE(method == "UEFI" || method == "BIOS") << method;
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

	for (const char *name : {"hw.pagesize", "vm.stats.vm.v_free_count"}) {
		value = 0;
		length = sizeof(value);
		ASSERT_EQ(
		    platform::sysctlbyname(name, &value, &length, nullptr, 0),
		    0)
		    << name;
		EXPECT_EQ(length, 4u) << name;
		EXPECT_GT(value, 0u) << name;
	}
	value = 0;
	length = sizeof(value);
	platform::sysctlbyname("hw.pagesize", &value, &length, nullptr, 0);
	EXPECT_EQ(value, std::uint64_t(sysconf(_SC_PAGESIZE)));
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

TEST(LinuxPlatform, CountsTakeFourBytesUnlessTheyNeedEight)
{
	const struct {
		std::uint64_t count;
		std::size_t size;
	} cases[] = {{0, 4}, {UINT32_MAX, 4}, {UINT32_MAX + 1ULL, 8}};
	for (const auto &test : cases) {
		std::uint64_t wide = 0;
		std::uint32_t narrow = 0;
		std::size_t length = sizeof(wide);
		void *value = test.size == 4 ? static_cast<void *>(&narrow)
		                             : static_cast<void *>(&wide);
		ASSERT_EQ(platform::sysctl_values::copy_count(test.count, value,
		                                              &length),
		          0);
		EXPECT_EQ(length, test.size) << test.count;
		EXPECT_EQ(test.size == 4 ? narrow : wide, test.count);
	}
}

TEST(LinuxPlatform, UptimeClockMatchesProcUptime)
{
	struct timespec uptime;
	ASSERT_EQ(platform::clock_gettime(platform::UPTIME_CLOCK, &uptime), 0);
	double seconds = 0;
	std::ifstream("/proc/uptime") >> seconds;
	EXPECT_NEAR(double(uptime.tv_sec), seconds, 2.0);
}

TEST(LinuxText, MeminfoLines)
{
	const char text[] = "MemTotal:       24684836 kB\n"
	                    "MemFree:        23912060 kB\n"
	                    "MemAvailable:   24016280 kB\n"
	                    "Huge:\n"
	                    "Odd: x kB\n"
	                    "Big: 99999999999999999999999 kB";
	const struct {
		const char *key;
		bool found;
		std::uint64_t kib;
	} cases[] = {
	    {"MemTotal", true, 24684836},
	    {"MemAvailable", true, 24016280},
	    {"Mem", false, 0},
	    {"Huge", false, 0},
	    {"Odd", false, 0},
	    {"Big", false, 0},
	    {"Missing", false, 0},
	};
	for (const auto &test : cases) {
		std::uint64_t kib = 0;
		EXPECT_EQ(platform::proc_text::meminfo_kib(
		              text, sizeof(text) - 1, test.key, &kib),
		          test.found)
		    << test.key;
		if (test.found) {
			EXPECT_EQ(kib, test.kib) << test.key;
		}
	}
}

TEST(LinuxText, MeminfoViews)
{
	using platform::proc_text::meminfo_status;
	const struct {
		const char *text;
		meminfo_status status;
		std::uint64_t total, available;
	} cases[] = {
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::known, 1000, 600},
	    /* Before Linux 3.14, and lxcfs with more available than total. */
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
	     "Cached: 200 kB\n",
	     meminfo_status::known, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::known, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 900 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 18446744073709551615 kB\n"
	     "Buffers: 1 kB\nCached: 0 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemFree: 100 kB\nMemAvailable: 600 kB\n",
	     meminfo_status::no_total, 0, 0},
	    {"", meminfo_status::no_total, 0, 0},
	};
	for (const auto &test : cases) {
		std::uint64_t total = 0;
		std::uint64_t available = 0;
		EXPECT_EQ(
		    platform::proc_text::meminfo_memory(
		        test.text, std::strlen(test.text), &total, &available),
		    test.status)
		    << test.text;
		EXPECT_EQ(total, test.total) << test.text;
		EXPECT_EQ(available, test.available) << test.text;
	}
}

TEST(LinuxText, WholeLinesOfAFullRead)
{
	const struct {
		const char *text;
		std::size_t length;
	} cases[] = {
	    {"MemTotal: 1 kB\nMemFr", 15},
	    {"MemTotal: 1 kB\n", 15},
	    {"a\nb\nc", 4},
	    {"no newline", 0},
	    {"", 0},
	};
	for (const auto &test : cases) {
		EXPECT_EQ(platform::proc_text::whole_lines_length(
		              test.text, std::strlen(test.text)),
		          test.length)
		    << test.text;
	}
}

TEST(LinuxText, CpuinfoModelName)
{
	const struct {
		const char *text;
		const char *model; /* null when not found */
	} cases[] = {
	    {"processor\t: 0\nvendor_id\t: AuthenticAMD\n"
	     "model\t\t: 1\nmodel name\t: AMD EPYC 7B13\nstepping\t: 1\n",
	     "AMD EPYC 7B13"},
	    {"model name\t: first\nmodel name\t: second\n", "first"},
	    {"model name\t:\n", ""},
	    {"model name\t: no line end", "no line end"},
	    {"model name without colon\n", nullptr},
	    {"processor\t: 0\n", nullptr},
	    {"", nullptr},
	};
	for (const auto &test : cases) {
		const char *model = nullptr;
		std::size_t length = 0;
		bool found = platform::proc_text::cpuinfo_model(
		    test.text, std::strlen(test.text), &model, &length);
		EXPECT_EQ(found, test.model != nullptr) << test.text;
		if (found && test.model != nullptr) {
			EXPECT_EQ(std::string(model, length), test.model);
		}
	}
}

} // namespace
