// SPDX-License-Identifier: BSD-2-Clause
/*
 * The copy-out rules of FreeBSD's sysctl, for values a platform layer makes
 * itself.
 */
#include "sysctl_values.h"

#include <cerrno>
#include <cstring>

int platform::sysctl_values::copy_value(const void *value, std::size_t size,
                                        void *oldp, std::size_t *oldlenp)
{
	if (oldp == nullptr) {
		*oldlenp = size;
		return 0;
	}
	if (*oldlenp < size) {
		std::memcpy(oldp, value, *oldlenp);
		errno = ENOMEM;
		return -1;
	}
	std::memcpy(oldp, value, size);
	*oldlenp = size;
	return 0;
}

int platform::sysctl_values::copy_string(const char *text, std::size_t length,
                                         void *oldp, std::size_t *oldlenp)
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

int platform::sysctl_values::copy_count(std::uint64_t count, void *oldp,
                                        std::size_t *oldlenp)
{
	if (count <= UINT32_MAX) {
		auto narrow = static_cast<std::uint32_t>(count);
		return copy_value(&narrow, sizeof(narrow), oldp, oldlenp);
	}
	return copy_value(&count, sizeof(count), oldp, oldlenp);
}
