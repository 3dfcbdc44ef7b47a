// SPDX-License-Identifier: BSD-2-Clause
/*
 * The RAM probe: the figures in use and in total for a table of page
 * counts, page sizes and value sizes, and no figures without all three.
 */
#include "fields_fixture.h"

#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

const std::uint64_t MIB = 1048576;

TEST_F(Fields, MemoryFigures)
{
	const struct {
		const char *what;
		std::uint64_t free_pages, page_size, physmem;
		std::size_t size; /* of the page count and the page size */
		const char *output;
	} cases[] = {
	    {"512 MiB, 200 free", 200 * 256, 4096, 512 * MIB, 4, "312M / 512M"},
	    {"the same in 8-byte values", 200 * 256, 4096, 512 * MIB, 8,
	     "312M / 512M"},
	    {"free below a mebibyte", 255, 4096, 512 * MIB, 4, "512M / 512M"},
	    {"no free pages", 0, 4096, 512 * MIB, 4, "512M / 512M"},
	    {"totals truncate on their own", 257, 4096, 512 * MIB + MIB - 1, 4,
	     "511M / 512M"},
	    {"free above total", 300 * 256, 4096, 200 * MIB, 4, "0M / 200M"},
	    {"page size 0", 1000, 0, 64 * MIB, 4, "64M / 64M"},
	    {"largest 4-byte values", UINT32_MAX, UINT32_MAX, 512 * MIB, 4,
	     "0M / 512M"},
	    {"product overflows 64 bits", UINT64_MAX, UINT64_MAX, 512 * MIB, 8,
	     "0M / 512M"},
	    {"largest physical memory", 0, 4096, UINT64_MAX, 8,
	     "17592186044415M / 17592186044415M"},
	    {"24 TiB, all of it available", 6 * (MIB << 10), 4096,
	     24 * (MIB << 20), 8, "0M / 25165824M"},
	};
	for (const auto &test : cases) {
		fake::set_integer("vm.stats.vm.v_free_count", test.free_pages,
		                  test.size);
		fake::set_integer("hw.pagesize", test.page_size, test.size);
		fake::set_integer("hw.physmem", test.physmem, 8);
		EXPECT_EQ(capture([] { print_memory(); }),
		          RAM_LABEL + test.output)
		    << test.what;
	}
}

TEST_F(Fields, MemoryNeedsAllThreeValues)
{
	for (const char *name :
	     {"vm.stats.vm.v_free_count", "hw.pagesize", "hw.physmem"}) {
		fake::reset();
		fake::remove(name);
		EXPECT_EQ(capture([] { print_memory(); }), RAM_LABEL) << name;
		for (std::size_t size : {1, 2, 16}) {
			fake::set_integer(name, 4096, size);
			EXPECT_EQ(capture([] { print_memory(); }), RAM_LABEL)
			    << name << " of " << size << " bytes";
		}
	}
}

} // namespace
