// SPDX-License-Identifier: BSD-2-Clause
/*
 * Uptime: the time since boot from the uptime clock (CLOCK_UPTIME), as
 * days and hours:minutes rounded to the nearest minute.
 */
#include "fields.h"
#include "output.h"

#include "platform.h"

#include <cstdint>
#include <ctime>

static constexpr std::int64_t SECONDS_PER_DAY = 86400;
static constexpr std::int64_t SECONDS_PER_HOUR = 3600;
static constexpr std::int64_t SECONDS_PER_MINUTE = 60;

void print_uptime()
{
	struct timespec uptime;
	if (platform::clock_gettime(platform::UPTIME_CLOCK, &uptime) != 0)
		return;
	std::int64_t seconds = uptime.tv_sec;
	/* Round to the nearest minute, once past the first one. */
	if (seconds > SECONDS_PER_MINUTE && seconds <= INT64_MAX - 30)
		seconds += 30;
	std::int64_t days = seconds / SECONDS_PER_DAY;
	std::int64_t rest = seconds % SECONDS_PER_DAY;
	int hours = int(rest / SECONDS_PER_HOUR);
	int minutes = int((rest % SECONDS_PER_HOUR) / SECONDS_PER_MINUTE);

	/* Unlike the other labels, this one has its space inside the colour. */
	output_text("\033[1;31mUptime: \033[0;0m");
	if (days > 0)
		output_format("%lld day%s ", static_cast<long long>(days),
		              days == 1 ? "" : "s");
	if (hours > 0)
		output_format("%d:%02d", hours, minutes);
	else if (minutes > 0)
		output_format("0:%02d", minutes);
	else
		output_text("0:00");
}
