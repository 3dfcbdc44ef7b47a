// SPDX-License-Identifier: BSD-2-Clause
/*
 * Shell: the name of the login shell, the last component of the path in
 * the SHELL environment variable.
 */
#include "fields.h"

#include "platform.h"

#include <cstring>

void print_shell()
{
	const char *shell = platform::getenv("SHELL");
	if (shell == nullptr)
		return;
	const char *slash = std::strrchr(shell, '/');
	bool whole = slash == nullptr || std::strcmp(shell, "/") == 0;
	print_text(whole ? shell : slash + 1, false);
}
