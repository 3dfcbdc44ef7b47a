// SPDX-License-Identifier: BSD-2-Clause
/* The memory figures of meminfo files: which lines count, and which views. */
#include "facts.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace
{

using platform::linux_facts::meminfo_reading;
using platform::linux_facts::read_meminfo;

using Meminfo = TempDir;

TEST_F(Meminfo, FiguresAndViews)
{
	const struct {
		std::string text;
		meminfo_reading reading;
		std::uint64_t total_kib, available_kib;
	} cases[] = {
	    {"MemTotal:       24684836 kB\nMemFree:        23912060 kB\n"
	     "MemAvailable:   24016280 kB\n",
	     meminfo_reading::figures, 24684836, 24016280},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_reading::figures, 1000, 600},
	    /* Before Linux 3.14, and lxcfs with more available than total. */
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
	     "Cached: 200 kB\n",
	     meminfo_reading::figures, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_reading::figures, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 900 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 18446744073709551615 kB\n"
	     "Buffers: 1 kB\nCached: 0 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemFree: 100 kB\nMemAvailable: 600 kB\n",
	     meminfo_reading::not_a_view, 0, 0},
	    {"", meminfo_reading::not_a_view, 0, 0},
	    /* A key is matched whole, with its colon. */
	    {"Mem: 5 kB\nMemTotals: 5 kB\nMemAvailable: 1 kB\n",
	     meminfo_reading::not_a_view, 0, 0},
	    /* A MemTotal line that is no figure, or zero, is still no view. */
	    {"MemTotal: 2048 MB\nMemAvailable: 1536 MB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 0 kB\nMemAvailable: 0 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal:\nMemAvailable: 1 kB\n", meminfo_reading::no_figures, 0,
	     0},
	    {"MemTotal: x kB\nMemAvailable: 1 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 99999999999999999999999 kB\nMemAvailable: 1 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 5 kB x\nMemAvailable: 1 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal: 5\nMemAvailable: 1 kB\n", meminfo_reading::no_figures,
	     0, 0},
	    /* The figure in bytes would not fit in 64 bits. */
	    {"MemTotal: 18014398509481984 kB\nMemAvailable: 1 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    {"MemTotal:\t\t 2097152 kB\nMemAvailable:\t1572864 kB",
	     meminfo_reading::figures, 2097152, 1572864},
	    /* The fallback's lines before MemAvailable do not settle it. */
	    {"MemTotal: 1000 kB\nMemFree: x kB\nBuffers: 1 kB\nCached: 1 kB\n"
	     "MemAvailable: 600 kB\n",
	     meminfo_reading::figures, 1000, 600},
	    /* A MemAvailable in another unit is no figure, not a fallback. */
	    {"MemTotal: 2048 kB\nMemFree: 100 kB\nMemAvailable: 1 MB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    /* A line too long to read whole is no figure. */
	    {"MemTotal:" + std::string(5000, ' ') +
	         "1 kB\nMemAvailable: 1 kB\n",
	     meminfo_reading::no_figures, 0, 0},
	    /* The first line of each key counts. */
	    {"MemTotal: 1000 kB\nMemAvailable: 600 kB\nMemTotal: 9 kB\n",
	     meminfo_reading::figures, 1000, 600},
	};
	for (const auto &test : cases) {
		std::string path = write_file("meminfo", test.text);
		std::uint64_t total = 0;
		std::uint64_t available = 0;
		EXPECT_EQ(read_meminfo(path.c_str(), &total, &available),
		          test.reading)
		    << test.text;
		EXPECT_EQ(total, test.total_kib * 1024) << test.text;
		EXPECT_EQ(available, test.available_kib * 1024) << test.text;
	}
	std::uint64_t total = 0;
	std::uint64_t available = 0;
	EXPECT_EQ(read_meminfo(dir.c_str(), &total, &available),
	          meminfo_reading::not_a_view);
}

} // namespace
