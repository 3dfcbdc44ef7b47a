// SPDX-License-Identifier: BSD-2-Clause
/*
 * Shell: the name of the login shell, the last component of the path in
 * the SHELL environment variable.
 */
#include "fields.h"

#include "platform.h"

#include <cstring>

int print_shell()
{
	const char *shell = platform::getenv("SHELL");
	if (shell == nullptr)
		return 0;
	const char *slash = std::strrchr(shell, '/');
	if (slash == nullptr || std::strcmp(shell, "/") == 0)
		print_value(shell);
	else
		print_value(slash + 1);
	return 0;
}
