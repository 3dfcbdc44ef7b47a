// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Linux platform layer on this machine, checked against independent
 * readings (gethostname, uname, /proc), and its text parsers on
 * sample text.
 */
#include "cpu_names.h"
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

#define ARM_LINES(implementer, variant, part, revision)                        \
	"CPU implementer\t: " implementer "\nCPU architecture: 8\n"            \
	"CPU variant\t: " variant "\nCPU part\t: " part                        \
	"\nCPU revision\t: " revision "\n"

/* The register that the sysfs file gives in a case, or 0 for none. */
std::uint32_t sysfs_midr;

bool read_sysfs_midr(std::uint32_t *midr)
{
	*midr = sysfs_midr;
	return sysfs_midr != 0;
}

TEST(LinuxText, ProcessorNames)
{
	const struct {
		const char *what;
		std::string text;
		std::uint32_t midr; /* CPU 0's register in sysfs, or 0 */
		const char *name;   /* null when none is given */
	} cases[] = {
	    {"x86",
	     "processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel\t\t: 1\n"
	     "model name\t: AMD EPYC 7B13\nstepping\t: 1\n",
	     0, "AMD EPYC 7B13"},
	    {"the first model name", "model name\t: one\nmodel name\t: two\n",
	     0, "one"},
	    {"an empty name", "model name\t:\n", 0, ""},
	    {"no line end", "model name\t: no line end", 0, "no line end"},
	    {"no colon", "model name without colon\n", 0, nullptr},
	    {"a longer key", "model names\t: x\n", 0, nullptr},
	    {"LoongArch", "Model Name\t\t: Loongson-3A6000\n", 0,
	     "Loongson-3A6000"},
	    {"RISC-V", "isa\t\t: rv64imafdc\nuarch\t\t: sifive,u74-mc\n", 0,
	     "sifive,u74-mc"},
	    {"RISC-V, named", "model name\t: Spacemit(R) X60\nuarch\t: x\n", 0,
	     "Spacemit(R) X60"},
	    {"s390x",
	     "vendor_id       : IBM/S390\n"
	     "processor 0: version = FF,  machine = 8561\n",
	     0, nullptr},
	    {"a NUL byte", std::string("model name\t: AMD\0EPYC\n", 23), 0,
	     nullptr},
	    {"arm64",
	     "processor\t: 0\nBogoMIPS\t: 108.00\n" ARM_LINES("0x41", "0x0",
	                                                      "0xd08", "3"),
	     0, "ARM Cortex-A72 r0p3"},
	    {"a vendor kernel's model name",
	     "model name\t: ARMv8 Processor rev 1 (v8l)\n" ARM_LINES(
	         "0x4e", "0x0", "0x004", "0"),
	     0, "NVIDIA Carmel r0p0"},
	    {"32-bit ARM",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n" ARM_LINES(
	         "0x41", "0x0", "0xc07", "5"),
	     0, "ARM Cortex-A7 r0p5"},
	    {"a part not named", ARM_LINES("0x48", "0x1", "0xd02", "0"), 0,
	     "HiSilicon Unknown CPU r1p0 (midr: 481fd020)"},
	    {"an implementer not named", ARM_LINES("0x99", "0x0", "0x123", "3"),
	     0, "Unknown Implementer (midr: 990f1233)"},
	    {"ID lines after every processor",
	     "Processor\t: ARMv7 Processor rev 9 (v7l)\nprocessor\t: 0\n\n"
	     "processor\t: 1\n\n" ARM_LINES("0x41", "0x2", "0xc09", "9"),
	     0, "ARM Cortex-A9 r2p9"},
	    {"the register in sysfs", ARM_LINES("0x41", "0x0", "0xd03", "4"),
	     0x410fd083, "ARM Cortex-A72 r0p3"},
	    {"ID lines cut short",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n"
	     "CPU implementer\t: 0x41\n",
	     0, "ARMv7 Processor rev 5 (v7l)"},
	    {"a part out of range", ARM_LINES("0x41", "0x0", "0x1000", "0"), 0,
	     nullptr},
	    {"POWER9",
	     "cpu\t\t: POWER9, altivec supported\n"
	     "revision\t: 2.2 (pvr 004e 1202)\n",
	     0, "IBM POWER9"},
	    {"POWER10",
	     "cpu\t\t: POWER10, altivec supported\n"
	     "revision\t: 2.0 (pvr 0080 0200)\n",
	     0, "IBM POWER10"},
	    {"POWER8E, raw",
	     "cpu\t\t: POWER8E (raw), altivec supported\n"
	     "revision\t: 2.1 (pvr 004b 0201)\n",
	     0, "IBM POWER8E"},
	    {"another PowerPC",
	     "cpu\t\t: e6500\nrevision\t: 2.0 (pvr 8040 0120)\n", 0, nullptr},
	};
	for (const auto &test : cases) {
		char made[platform::cpu_names::MADE_NAME_SIZE];
		const char *name = nullptr;
		std::size_t length = 0;
		sysfs_midr = test.midr;
		bool found = platform::cpu_names::processor_name(
		    test.text.data(), test.text.size(), read_sysfs_midr, made,
		    &name, &length);
		EXPECT_EQ(found, test.name != nullptr) << test.what;
		if (found && test.name != nullptr) {
			EXPECT_EQ(std::string(name, length), test.name)
			    << test.what;
		}
	}
}

TEST(LinuxText, IdentificationRegisterFile)
{
	const struct {
		const char *text;
		bool valid;
		std::uint32_t midr;
	} cases[] = {
	    {"0x00000000410fd083\n", true, 0x410fd083},
	    {"0x00000000611f0221", true, 0x611f0221},
	    {"0x0000000100000000\n", false, 0},
	    {"0x\n", false, 0},
	    {"410fd083\n", false, 0},
	    {"", false, 0},
	};
	for (const auto &test : cases) {
		std::uint32_t midr = 0;
		EXPECT_EQ(platform::cpu_names::parse_midr(
		              test.text, std::strlen(test.text), &midr),
		          test.valid)
		    << test.text;
		EXPECT_EQ(midr, test.midr) << test.text;
	}
}

} // namespace
