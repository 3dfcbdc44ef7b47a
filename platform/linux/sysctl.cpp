// SPDX-License-Identifier: BSD-2-Clause
/*
 * Linux: sysctlbyname(3) answers FreeBSD's names from the readers of each
 * fact, with FreeBSD's failure rules: a name it does not know fails with
 * ENOENT, and nothing is ever written.
 */
#include "platform.h"

#include "facts.h"

#include <cerrno>
#include <cstring>

namespace
{

namespace facts = platform::linux_facts;

const struct {
	const char *name;
	facts::reader read;
} READERS[] = {
    {"kern.hostname", facts::hostname},
    {"machdep.bootmethod", facts::boot_method},
    {"kern.ostype", facts::os_type},
    {"hw.machine_arch", facts::machine_arch},
    {"kern.osrelease", facts::os_release},
    {"hw.model", facts::processor_model},
    {"vm.stats.vm.v_free_count", facts::free_pages},
    {"hw.pagesize", facts::page_size},
    {"hw.physmem", facts::physical_memory},
};

} // namespace

int platform::linux_facts::fail(int error)
{
	errno = error;
	return -1;
}

int platform::sysctlbyname(const char *name, void *oldp, std::size_t *oldlenp,
                           const void *newp, std::size_t newlen)
{
	if (newp != nullptr || newlen != 0)
		return facts::fail(EPERM);
	if (oldlenp == nullptr)
		return facts::fail(EINVAL);
	/* A loop reads more plainly here than std::find_if would. */
	for (const auto &entry : READERS)
		// cppcheck-suppress useStlAlgorithm
		if (std::strcmp(name, entry.name) == 0)
			return entry.read(oldp, oldlenp);
	return facts::fail(ENOENT);
}
