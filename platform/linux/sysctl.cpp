// SPDX-License-Identifier: BSD-2-Clause
/*
 * Linux: sysctlbyname(3) answers FreeBSD's names from each fact's reader,
 * with FreeBSD's rules: an unknown name fails with ENOENT, nothing is ever
 * written, and a value leaves as sysctl's copy-out hands it over.
 */
#include "platform.h"

#include "facts.h"

#include <cerrno>
#include <cstring>

namespace facts = platform::linux_facts;

namespace
{

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

int facts::fail(int error)
{
	errno = error;
	return -1;
}

int facts::copy_value(const void *value, std::size_t size, void *oldp,
                      std::size_t *oldlenp)
{
	if (oldp == nullptr) {
		*oldlenp = size;
		return 0;
	}
	if (*oldlenp < size) {
		std::memcpy(oldp, value, *oldlenp);
		return fail(ENOMEM);
	}
	std::memcpy(oldp, value, size);
	*oldlenp = size;
	return 0;
}

int facts::copy_string(const char *text, std::size_t length, void *oldp,
                       std::size_t *oldlenp)
{
	std::size_t size = length + 1;
	/* What does not fit is text alone: its zero would be the last byte. */
	if (oldp == nullptr || *oldlenp < size)
		return copy_value(text, size, oldp, oldlenp);
	std::memcpy(oldp, text, length);
	static_cast<char *>(oldp)[length] = '\0';
	*oldlenp = size;
	return 0;
}

int facts::copy_count(std::uint64_t count, void *oldp, std::size_t *oldlenp)
{
	if (count <= UINT32_MAX) {
		auto narrow = static_cast<std::uint32_t>(count);
		return copy_value(&narrow, sizeof(narrow), oldp, oldlenp);
	}
	return copy_value(&count, sizeof(count), oldp, oldlenp);
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
