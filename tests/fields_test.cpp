// SPDX-License-Identifier: BSD-2-Clause
/*
 * The field probes through the scripted platform: each probe's text for a
 * table of platform values, failures included.
 */
#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace
{

const std::string CPU_LABEL = "\033[1;31mCPU:\033[0;0m ";
const std::string RAM_LABEL = "\033[1;31mRAM:\033[0;0m ";
const std::string UPTIME_LABEL = "\033[1;31mUptime: \033[0;0m";

class Fields : public ::testing::Test
{
protected:
	void SetUp() override { fake::reset(); }
};

TEST_F(Fields, CollapsedTextHasSingleSpaces)
{
	const struct {
		const char *input;
		const char *output;
	} cases[] = {
	    {"", ""},
	    {"a", "a"},
	    {"one  two   three", "one two three"},
	    {"  padded  ", " padded "},
	    {"     ", " "},
	    {"tab\t\there", "tab\t\there"},
	    {"a \t  b", "a \t b"},
	};
	for (const auto &test : cases)
		EXPECT_EQ(capture([&] { print_collapsed(test.input); }),
		          test.output)
		    << "input \"" << test.input << "\"";
}

TEST_F(Fields, ControlBytesNeverReachTheTerminal)
{
	const struct {
		const char *value;
		const char *shown;           /* as read */
		const char *shown_collapsed; /* with its spaces collapsed */
	} cases[] = {
	    {"plain", "plain", "plain"},
	    {"new\nline", "new?line", "new?line"},
	    {"\033[2J\033[Hclear", "?[2J?[Hclear", "?[2J?[Hclear"},
	    {"\033]0;title\007", "?]0;title?", "?]0;title?"},
	    {"\r\b\x01\x1f\x7f", "?????", "?????"},
	    {"tab\tstays", "tab\tstays", "tab\tstays"},
	    {"two  spaces\n\n", "two  spaces??", "two spaces??"},
	    {"caf\xc3\xa9 \xa0\xff", "caf\xc3\xa9 \xa0\xff",
	     "caf\xc3\xa9 \xa0\xff"},
	    /* C1 controls in UTF-8: CSI, OSC, ST, NEL, and U+0080. */
	    {"\xc2\x9b"
	     "2J\xc2\x9d"
	     "0;owned\xc2\x9c",
	     "?2J?0;owned?", "?2J?0;owned?"},
	    {"a\xc2\x85"
	     "b\xc2\x80",
	     "a?b?", "a?b?"},
	    /* C1 controls as raw bytes, and after a lead byte they end. */
	    {"\x9b"
	     "2J\x80\x9f",
	     "?2J??", "?2J??"},
	    {"\xe2\x9b"
	     "2J",
	     "\xe2?2J", "\xe2?2J"},
	    /* Characters whose bytes include 0x80 to 0x9f stay whole. */
	    {"\xe2\x82\xac \xc5\x91 \xe2\x80\xba \xf0\x9f\x98\x80",
	     "\xe2\x82\xac \xc5\x91 \xe2\x80\xba \xf0\x9f\x98\x80",
	     "\xe2\x82\xac \xc5\x91 \xe2\x80\xba \xf0\x9f\x98\x80"},
	    /* Overlong forms and surrogates are not characters. */
	    {"\xc1\x9b\xe0\x82\x9b\xed\xa0\x80", "\xc1?\xe0??\xed\xa0?",
	     "\xc1?\xe0??\xed\xa0?"},
	    /* A character cut off at the end is no control. */
	    {"x\xc2", "x\xc2", "x\xc2"},
	    {"x\xe2\x82", "x\xe2?", "x\xe2?"},
	    {"  \xc2\xa0  ", "  \xc2\xa0  ", " \xc2\xa0 "},
	};
	for (const auto &test : cases) {
		fake::set_string("kern.hostname", test.value);
		EXPECT_EQ(capture([] { print_sysctl_string("kern.hostname"); }),
		          test.shown)
		    << "hostname " << test.value;
		fake::set_string("hw.model", test.value);
		EXPECT_EQ(capture([] { print_cpu(); }),
		          CPU_LABEL + test.shown_collapsed)
		    << "model " << test.value;
		const std::string shell = std::string("/bin/") + test.value;
		fake::set_env("SHELL", shell.c_str());
		EXPECT_EQ(capture([] { print_shell(); }), test.shown)
		    << "shell " << test.value;
	}
	fake::set_env("SHELL", "\033[31m");
	EXPECT_EQ(capture([] { print_shell(); }), "?[31m");
}

TEST_F(Fields, GenericLabelMatchesFixedLabel)
{
	EXPECT_EQ(capture([] { print_label("CPU"); }), CPU_LABEL);
	EXPECT_EQ(FIXED_LABEL("CPU"), CPU_LABEL);
}

TEST_F(Fields, TextValueMustFitWithItsZero)
{
	const std::string fits(255, 'x');
	fake::set_string("kern.hostname", fits);
	int status = 0;
	EXPECT_EQ(
	    capture([&] { status = print_sysctl_string("kern.hostname"); }),
	    fits);
	EXPECT_EQ(status, 0);

	fake::set_string("kern.hostname", fits + "y");
	EXPECT_EQ(
	    capture([&] { status = print_sysctl_string("kern.hostname"); }),
	    "");
	EXPECT_EQ(status, 1);

	fake::remove("kern.hostname");
	EXPECT_EQ(
	    capture([&] { status = print_sysctl_string("kern.hostname"); }),
	    "");
	EXPECT_EQ(status, 1);
}

TEST_F(Fields, ProbesKeepTheirLabelWhenTheValueIsMissing)
{
	fake::remove("hw.model");
	int status = 0;
	EXPECT_EQ(capture([&] { status = print_cpu(); }), CPU_LABEL);
	EXPECT_EQ(status, 1);

	fake::set_string("hw.model", "");
	EXPECT_EQ(capture([&] { status = print_cpu(); }), CPU_LABEL);
	EXPECT_EQ(status, 0);

	fake::set_string("machdep.bootmethod", std::string(256, 'B'));
	EXPECT_EQ(capture([] { print_bootmethod(); }),
	          "\033[1;31mBootmethod:\033[0;0m ");
}

TEST_F(Fields, CpuModelIsCollapsed)
{
	EXPECT_EQ(capture([] { print_cpu(); }),
	          CPU_LABEL + "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
}

const std::uint64_t MIB = 1048576;

TEST_F(Fields, MemoryFigures)
{
	const struct {
		const char *what;
		std::uint64_t free_pages, page_size, physmem;
		std::size_t size; /* of the page count and the page size */
		const char *output;
	} cases[] = {
	    {"512 MiB, 200 free", 200 * 256, 4096, 512 * MIB, 4, "312M / 512M"},
	    {"the same in 8-byte values", 200 * 256, 4096, 512 * MIB, 8,
	     "312M / 512M"},
	    {"free below a mebibyte", 255, 4096, 512 * MIB, 4, "512M / 512M"},
	    {"no free pages", 0, 4096, 512 * MIB, 4, "512M / 512M"},
	    {"totals truncate on their own", 257, 4096, 512 * MIB + MIB - 1, 4,
	     "511M / 512M"},
	    {"free above total", 300 * 256, 4096, 200 * MIB, 4, "0M / 200M"},
	    {"page size 0", 1000, 0, 64 * MIB, 4, "64M / 64M"},
	    {"largest 4-byte values", UINT32_MAX, UINT32_MAX, 512 * MIB, 4,
	     "0M / 512M"},
	    {"product overflows 64 bits", UINT64_MAX, UINT64_MAX, 512 * MIB, 8,
	     "0M / 512M"},
	    {"largest physical memory", 0, 4096, UINT64_MAX, 8,
	     "17592186044415M / 17592186044415M"},
	    {"24 TiB, all of it available", 6 * (MIB << 10), 4096,
	     24 * (MIB << 20), 8, "0M / 25165824M"},
	};
	for (const auto &test : cases) {
		fake::set_integer("vm.stats.vm.v_free_count", test.free_pages,
		                  test.size);
		fake::set_integer("hw.pagesize", test.page_size, test.size);
		fake::set_integer("hw.physmem", test.physmem, 8);
		EXPECT_EQ(capture([] { print_memory(); }),
		          RAM_LABEL + test.output)
		    << test.what;
	}
}

TEST_F(Fields, MemoryNeedsAllThreeValues)
{
	for (const char *name :
	     {"vm.stats.vm.v_free_count", "hw.pagesize", "hw.physmem"}) {
		fake::reset();
		fake::remove(name);
		EXPECT_EQ(capture([] { print_memory(); }), RAM_LABEL) << name;
		for (std::size_t size : {1, 2, 16}) {
			fake::set_integer(name, 4096, size);
			EXPECT_EQ(capture([] { print_memory(); }), RAM_LABEL)
			    << name << " of " << size << " bytes";
		}
	}
}

TEST_F(Fields, UptimeRoundsToTheMinute)
{
	const struct {
		long long seconds;
		const char *output;
	} cases[] = {
	    {0, "0:00"},
	    {59, "0:00"},
	    {60, "0:01"},
	    {61, "0:01"},
	    {89, "0:01"},
	    {90, "0:02"},
	    {3569, "0:59"},
	    {3570, "1:00"},
	    {3630, "1:01"},
	    {86369, "23:59"},
	    {86370, "1 day 0:00"},
	    {90000, "1 day 1:00"},
	    {172830, "2 days 0:01"},
	    {LLONG_MAX, "106751991167300 days 15:30"},
	    {-1, "0:00"},
	};
	for (const auto &test : cases) {
		fake::set_clock(test.seconds);
		EXPECT_EQ(capture([] { print_uptime(); }),
		          UPTIME_LABEL + test.output)
		    << test.seconds << " seconds";
	}
}

TEST_F(Fields, UptimeWritesNothingWhenTheClockFails)
{
	fake::fail_clock();
	EXPECT_EQ(capture([] { print_uptime(); }), "");
}

TEST_F(Fields, ShellIsTheLastPathComponent)
{
	const struct {
		const char *value;
		const char *output;
	} cases[] = {
	    {"/bin/sh", "sh"},
	    {"/usr/local/bin/zsh", "zsh"},
	    {"sh", "sh"},
	    {"/sh", "sh"},
	    {"/usr/local/bin/", ""},
	    {"/", "/"},
	    {"", ""},
	    {"/opt/\xe2\x9c\x93sh", "\xe2\x9c\x93sh"},
	    {nullptr, ""},
	};
	for (const auto &test : cases) {
		fake::set_env("SHELL", test.value);
		EXPECT_EQ(capture([] { print_shell(); }), test.output)
		    << (test.value ? test.value : "unset");
	}
}

TEST_F(Fields, ShellOfOneMebibyte)
{
	const std::string name(1048576, 's');
	const std::string path = "/usr/local/bin/" + name;
	fake::set_env("SHELL", path.c_str());
	EXPECT_EQ(capture([] { print_shell(); }), name);
}

} // namespace
