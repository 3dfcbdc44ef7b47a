// SPDX-License-Identifier: BSD-2-Clause
/*
 * kern.hostname, kern.ostype, kern.osrelease and hw.machine_arch, from
 * uname(2)'s nodename, sysname, release and machine: the kernel's names, not
 * the distribution's.
 */
#include "facts.h"
#include "sysctl_values.h"

#include <sys/utsname.h>

#include <cerrno>
#include <cstring>

namespace
{

/*
 * The names of uname(2), taken once, so that the four values read from it
 * describe the same moment.  Returns a null pointer when it failed.
 */
const struct utsname *system_names()
{
	static struct utsname names;
	static int taken; /* 0 not yet, 1 taken, -1 failed */
	if (taken == 0)
		taken = uname(&names) == 0 ? 1 : -1;
	return taken > 0 ? &names : nullptr;
}

/* One text field of struct utsname, such as its nodename. */
using uname_field = char (utsname::*)[sizeof(utsname::nodename)];

int uname_string(uname_field field, void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	if (names == nullptr)
		return platform::linux_facts::fail(ENOENT);
	const char *value = names->*field;
	return platform::sysctl_values::copy_string(
	    value, strnlen(value, sizeof(names->*field)), oldp, oldlenp);
}

} // namespace

int platform::linux_facts::hostname(void *oldp, std::size_t *oldlenp)
{
	return uname_string(&utsname::nodename, oldp, oldlenp);
}

int platform::linux_facts::os_type(void *oldp, std::size_t *oldlenp)
{
	return uname_string(&utsname::sysname, oldp, oldlenp);
}

int platform::linux_facts::os_release(void *oldp, std::size_t *oldlenp)
{
	return uname_string(&utsname::release, oldp, oldlenp);
}

int platform::linux_facts::machine_arch(void *oldp, std::size_t *oldlenp)
{
	return uname_string(&utsname::machine, oldp, oldlenp);
}
