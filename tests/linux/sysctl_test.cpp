// SPDX-License-Identifier: BSD-2-Clause
/* How values leave the Linux platform layer: FreeBSD's sizes for counts. */
#include "facts.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

TEST(Sysctl, CountsTakeFourBytesUnlessTheyNeedEight)
{
	const struct {
		std::uint64_t count;
		std::size_t size;
	} cases[] = {{0, 4}, {UINT32_MAX, 4}, {UINT32_MAX + 1ULL, 8}};
	for (const auto &test : cases) {
		std::uint64_t wide = 0;
		std::uint32_t narrow = 0;
		std::size_t length = sizeof(wide);
		void *value = test.size == 4 ? static_cast<void *>(&narrow)
		                             : static_cast<void *>(&wide);
		ASSERT_EQ(platform::linux_facts::copy_count(test.count, value,
		                                            &length),
		          0);
		EXPECT_EQ(length, test.size) << test.count;
		EXPECT_EQ(test.size == 4 ? narrow : wide, test.count);
	}
}

} // namespace
