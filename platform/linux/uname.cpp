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

/* Copies out one text field of struct utsname, such as its nodename. */
int copy_name(const char (&field)[sizeof(utsname::nodename)], void *oldp,
              std::size_t *oldlenp)
{
	return facts::copy_string(field, strnlen(field, sizeof(field)), oldp,
	                          oldlenp);
}

} // namespace

int facts::hostname(void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	return names == nullptr ? fail(ENOENT)
	                        : copy_name(names->nodename, oldp, oldlenp);
}

int facts::os_type(void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	return names == nullptr ? fail(ENOENT)
	                        : copy_name(names->sysname, oldp, oldlenp);
}

int facts::os_release(void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	return names == nullptr ? fail(ENOENT)
	                        : copy_name(names->release, oldp, oldlenp);
}

int facts::machine_arch(void *oldp, std::size_t *oldlenp)
{
	const struct utsname *names = system_names();
	return names == nullptr ? fail(ENOENT)
	                        : copy_name(names->machine, oldp, oldlenp);
}
