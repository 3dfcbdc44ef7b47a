// SPDX-License-Identifier: BSD-2-Clause
/*
 * The CPU probe: hw.model with its runs of spaces collapsed.
 */
#include "fields_fixture.h"

#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

namespace
{

TEST_F(Fields, CpuModelIsCollapsed)
{
	EXPECT_EQ(capture([] { print_cpu(); }),
	          CPU_LABEL + "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
}

} // namespace
