// SPDX-License-Identifier: BSD-2-Clause
/*
 * kern.hostname, kern.ostype, kern.osrelease and hw.machine_arch, from
 * uname(2)'s nodename, sysname, release and machine: the kernel's names, not
 * the distribution's.
 */
#include "facts.h"

#include <sys/utsname.h>

#include <cerrno>
#include <cstring>

namespace facts = platform::linux_facts;

namespace
{

/*
 * The names of uname(2), taken at the first use, once, so that the four
 * values read from them describe the same moment.
 */
struct utsname names;

/* Copies out one of the names, such as its nodename, or fails. */
int copy_name(const char (&name)[sizeof(utsname::nodename)], void *oldp,
              std::size_t *oldlenp)
{
	static int taken; /* 0 not yet, 1 taken, -1 failed */
	if (taken == 0)
		taken = uname(&names) == 0 ? 1 : -1;
	if (taken < 0)
		return facts::fail(ENOENT);
	return facts::copy_string(name, strnlen(name, sizeof(name)), oldp,
	                          oldlenp);
}

} // namespace

int facts::hostname(void *oldp, std::size_t *oldlenp)
{
	return copy_name(names.nodename, oldp, oldlenp);
}

int facts::os_type(void *oldp, std::size_t *oldlenp)
{
	return copy_name(names.sysname, oldp, oldlenp);
}

int facts::os_release(void *oldp, std::size_t *oldlenp)
{
	return copy_name(names.release, oldp, oldlenp);
}

int facts::machine_arch(void *oldp, std::size_t *oldlenp)
{
	return copy_name(names.machine, oldp, oldlenp);
}
