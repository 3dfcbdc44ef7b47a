// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the Shell probe with any value of SHELL.
 */
#include "fake_platform.h"
#include "fields.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	fake::reset();
	return freopen("/dev/null", "w", stdout) == nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::string value(reinterpret_cast<const char *>(data), size);
	fake::set_env("SHELL", value.c_str());
	print_shell();
	return 0;
}
