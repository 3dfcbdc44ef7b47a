// SPDX-License-Identifier: BSD-2-Clause
/*
 * The label helpers and the one printer of values: spaces collapsed,
 * control characters shown as '?', UTF-8 kept whole, a label kept when its
 * value is missing.
 */
#include "fields_fixture.h"

#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

namespace
{

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
		EXPECT_EQ(capture([&] { print_text(test.input, true); }),
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
	    /* The last C1 control, U+009F, and the first character after. */
	    {"\xc2\x9f"
	     "x\xc2\xa0",
	     "?x\xc2\xa0", "?x\xc2\xa0"},
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
		EXPECT_EQ(
		    capture([] { print_sysctl_text("kern.hostname", false); }),
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

TEST_F(Fields, TextValueMustFitWithItsZero)
{
	const std::string fits(255, 'x');
	fake::set_string("kern.hostname", fits);
	bool shown = false;
	EXPECT_EQ(
	    capture([&] { shown = print_sysctl_text("kern.hostname", false); }),
	    fits);
	EXPECT_TRUE(shown);

	fake::set_string("kern.hostname", fits + "y");
	EXPECT_EQ(
	    capture([&] { shown = print_sysctl_text("kern.hostname", false); }),
	    "");
	EXPECT_FALSE(shown);

	fake::remove("kern.hostname");
	EXPECT_EQ(
	    capture([&] { shown = print_sysctl_text("kern.hostname", false); }),
	    "");
	EXPECT_FALSE(shown);
}

TEST_F(Fields, ProbesKeepTheirLabelWhenTheValueIsMissing)
{
	fake::remove("hw.model");
	bool shown = true;
	EXPECT_EQ(capture([&] { shown = print_cpu(); }), CPU_LABEL);
	EXPECT_FALSE(shown);

	fake::set_string("hw.model", "");
	EXPECT_EQ(capture([&] { shown = print_cpu(); }), CPU_LABEL);
	EXPECT_TRUE(shown);

	fake::set_string("machdep.bootmethod", std::string(256, 'B'));
	EXPECT_EQ(capture([] { print_bootmethod(); }),
	          "\033[1;31mBootmethod:\033[0;0m ");
}

} // namespace
