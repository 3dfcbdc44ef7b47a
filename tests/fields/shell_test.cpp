// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Shell probe: the last component of SHELL, whatever its length.
 */
#include "fields_fixture.h"

#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

namespace
{

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
