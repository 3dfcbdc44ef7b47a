// SPDX-License-Identifier: BSD-2-Clause
/*
 * The Uptime probe: the time since boot rounded to the minute, and nothing
 * when the clock fails.
 */
#include "fields_fixture.h"

#include "capture.h"
#include "fake_platform.h"
#include "fields.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

TEST_F(Fields, UptimeRoundsToTheMinute)
{
	const struct {
		long long seconds;
		const char *output;
	} cases[] = {
	    {0, "0:00"},
	    {59, "0:00"},
	    {60, "0:01"},
	    {61, "0:01"},
	    {89, "0:01"},
	    {90, "0:02"},
	    {3569, "0:59"},
	    {3570, "1:00"},
	    {3630, "1:01"},
	    {86369, "23:59"},
	    {86370, "1 day 0:00"},
	    {90000, "1 day 1:00"},
	    {172830, "2 days 0:01"},
	    {LLONG_MAX, "106751991167300 days 15:30"},
	    {-1, "0:00"},
	};
	for (const auto &test : cases) {
		fake::set_clock(test.seconds);
		EXPECT_EQ(capture([] { print_uptime(); }),
		          UPTIME_LABEL + test.output)
		    << test.seconds << " seconds";
	}
}

TEST_F(Fields, UptimeWritesNothingWhenTheClockFails)
{
	fake::fail_clock();
	EXPECT_EQ(capture([] { print_uptime(); }), "");
}

} // namespace
