// SPDX-License-Identifier: BSD-2-Clause
/* The environment, for the Shell row: the C library's getenv(3). */
#include "platform.h"

#include <cstdlib>

char *platform::getenv(const char *name)
{
	return std::getenv(name);
}
