// SPDX-License-Identifier: BSD-2-Clause
/* The /proc text parsers on sample text: meminfo's figures and views. */
#include "proc_text.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace
{

TEST(LinuxText, MeminfoLines)
{
	const char text[] = "MemTotal:       24684836 kB\n"
	                    "MemFree:        23912060 kB\n"
	                    "MemAvailable:   24016280 kB\n"
	                    "Huge:\n"
	                    "Odd: x kB\n"
	                    "Big: 99999999999999999999999 kB\n"
	                    "Tab:\t\t 5 kB\n"
	                    "Megs: 2048 MB\n"
	                    "Trail: 5 kB x\n"
	                    "Bare: 5";
	const struct {
		const char *key;
		bool found;
		std::uint64_t kib;
	} cases[] = {
	    {"MemTotal", true, 24684836},
	    {"MemAvailable", true, 24016280},
	    {"Mem", false, 0},
	    {"Huge", false, 0},
	    {"Odd", false, 0},
	    {"Big", false, 0},
	    {"Missing", false, 0},
	    {"Tab", true, 5},
	    {"Megs", false, 0},
	    {"Trail", false, 0},
	    {"Bare", false, 0},
	};
	for (const auto &test : cases) {
		std::uint64_t kib = 0;
		EXPECT_EQ(platform::proc_text::meminfo_kib(
		              text, sizeof(text) - 1, test.key, &kib),
		          test.found)
		    << test.key;
		if (test.found) {
			EXPECT_EQ(kib, test.kib) << test.key;
		}
	}
}

/* The view of the whole text. */
platform::proc_text::meminfo_status
whole_view(const char *text, std::uint64_t *total, std::uint64_t *available)
{
	return platform::proc_text::meminfo_memory(text, std::strlen(text),
	                                           total, available);
}

/*
 * The view of text taken line by line, as the file is read, stopping where
 * the lines say that it is settled.
 */
platform::proc_text::meminfo_status
early_view(const char *text, std::uint64_t *total, std::uint64_t *available)
{
	platform::proc_text::meminfo_figures figures{};
	take_lines(text, std::strlen(text),
	           [&](const char *line, std::size_t length) {
		           return platform::proc_text::meminfo_take_line(
		               &figures, line, length, false);
	           });
	return platform::proc_text::meminfo_view(figures, total, available);
}

TEST(LinuxText, MeminfoViews)
{
	using platform::proc_text::meminfo_status;
	const struct {
		const char *text;
		meminfo_status status;
		std::uint64_t total, available;
	} cases[] = {
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::known, 1000, 600},
	    /* Before Linux 3.14, and lxcfs with more available than total. */
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
	     "Cached: 200 kB\n",
	     meminfo_status::known, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::known, 1000, 350},
	    {"MemTotal: 1000 kB\nMemFree: 900 kB\nMemAvailable: 4000 kB\n"
	     "Buffers: 50 kB\nCached: 200 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal: 1000 kB\nMemFree: 18446744073709551615 kB\n"
	     "Buffers: 1 kB\nCached: 0 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemFree: 100 kB\nMemAvailable: 600 kB\n",
	     meminfo_status::no_total, 0, 0},
	    {"", meminfo_status::no_total, 0, 0},
	    /* A MemTotal line that is no figure, or zero, is still no view. */
	    {"MemTotal: 2048 MB\nMemAvailable: 1536 MB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal: 0 kB\nMemAvailable: 0 kB\n",
	     meminfo_status::no_available, 0, 0},
	    {"MemTotal:\t2097152 kB\nMemAvailable:\t1572864 kB\n",
	     meminfo_status::known, 2097152, 1572864},
	    /* The fallback's lines before MemAvailable do not settle it. */
	    {"MemTotal: 1000 kB\nMemFree: x kB\nBuffers: 1 kB\nCached: 1 kB\n"
	     "MemAvailable: 600 kB\n",
	     meminfo_status::known, 1000, 600},
	    /* The first line of each key counts. */
	    {"MemTotal: 1000 kB\nMemAvailable: 600 kB\nMemTotal: 9 kB\n",
	     meminfo_status::known, 1000, 600},
	};
	/*
	 * The whole text, and the text read line by line and left where it is
	 * settled, give the same view.
	 */
	for (auto view : {whole_view, early_view}) {
		for (const auto &test : cases) {
			std::uint64_t total = 0;
			std::uint64_t available = 0;
			EXPECT_EQ(view(test.text, &total, &available),
			          test.status)
			    << test.text;
			EXPECT_EQ(total, test.total) << test.text;
			EXPECT_EQ(available, test.available) << test.text;
		}
	}
}

TEST(LinuxText, WholeLinesOfAFullRead)
{
	const struct {
		const char *text;
		std::size_t length;
	} cases[] = {
	    {"MemTotal: 1 kB\nMemFr", 15},
	    {"MemTotal: 1 kB\n", 15},
	    {"a\nb\nc", 4},
	    {"no newline", 0},
	    {"", 0},
	};
	for (const auto &test : cases) {
		EXPECT_EQ(platform::proc_text::whole_lines_length(
		              test.text, std::strlen(test.text)),
		          test.length)
		    << test.text;
	}
}

} // namespace
