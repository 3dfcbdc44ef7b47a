// SPDX-License-Identifier: BSD-2-Clause
/*
 * The whole report through the scripted platform: byte for byte against the
 * golden file, then one scenario for each way a fact can go missing.
 */
#include "capture.h"
#include "fake_platform.h"
#include "logo.h"
#include "report.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

std::string label(const std::string &text)
{
	return "\033[1;31m" + text + ":\033[0;0m ";
}

std::string report()
{
	return capture([] { print_report(); });
}

/* The report's lines; picture row r stands on line r + 2. */
std::vector<std::string> lines(const std::string &text)
{
	std::vector<std::string> result;
	std::size_t start = 0;
	for (std::size_t end;
	     (end = text.find('\n', start)) != std::string::npos;
	     start = end + 1)
		result.push_back(text.substr(start, end - start));
	result.push_back(text.substr(start));
	return result;
}

std::string row_line(int row)
{
	return lines(report()).at(std::size_t(row) + 2);
}

class Report : public ::testing::Test
{
protected:
	void SetUp() override { fake::reset(); }
};

TEST_F(Report, MatchesTheGoldenFile)
{
	/* A run on another machine, such as a FreeBSD guest, names its copy. */
	const char *golden_dir = std::getenv("SYSFACTS_GOLDEN_DIR");
	const std::string path =
	    std::string(golden_dir ? golden_dir : GOLDEN_DIR) + "/report.txt";
	std::string text = report();
	if (std::getenv("SYSFACTS_UPDATE_GOLDEN") != nullptr)
		std::ofstream(path, std::ios::binary) << text;
	std::ifstream golden(path, std::ios::binary);
	std::stringstream expected;
	expected << golden.rdbuf();
	EXPECT_EQ(text, expected.str());
}

TEST_F(Report, IsFramedByTwoLineFeeds)
{
	std::string text = report();
	EXPECT_EQ(text.compare(0, 2, "\n\n"), 0);
	std::string tail = std::string(LOGO_ROWS[17]) + "\n\n\n";
	ASSERT_GE(text.size(), tail.size());
	EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
	std::vector<std::string> all = lines(text);
	EXPECT_EQ(all.size(), 23u);
	EXPECT_EQ(all[2], LOGO_ROWS[0]);
}

TEST_F(Report, MissingValuesLeaveTheirLabels)
{
	fake::remove("machdep.bootmethod");
	fake::remove("kern.ostype");
	fake::remove("hw.machine_arch");
	fake::remove("kern.osrelease");
	fake::set_env("SHELL", nullptr);
	fake::fail_clock();
	std::vector<std::string> all = lines(report());
	EXPECT_EQ(all[4], std::string(LOGO_ROWS[2]) + label("Bootmethod"));
	EXPECT_EQ(all[5], std::string(LOGO_ROWS[3]) + label("OS") + " ");
	EXPECT_EQ(all[6], std::string(LOGO_ROWS[4]) + label("Version"));
	EXPECT_EQ(all[10], std::string(LOGO_ROWS[8]) + label("Shell"));
	EXPECT_EQ(all[11], LOGO_ROWS[9]);
	EXPECT_EQ(all[12], LOGO_ROWS[10]);
}

TEST_F(Report, OsRowKeepsWhicheverHalfIsThere)
{
	fake::remove("kern.ostype");
	EXPECT_EQ(row_line(3),
	          std::string(LOGO_ROWS[3]) + label("OS") + " amd64");
	fake::reset();
	fake::remove("hw.machine_arch");
	EXPECT_EQ(row_line(3),
	          std::string(LOGO_ROWS[3]) + label("OS") + "FreeBSD ");
}

TEST_F(Report, HostnameOfTheLargestSize)
{
	const std::string longest(255, 'h');
	fake::set_string("kern.hostname", longest);
	EXPECT_EQ(row_line(1),
	          std::string(LOGO_ROWS[1]) + label("Hostname") + longest);
	fake::set_string("kern.hostname", longest + "h");
	EXPECT_EQ(row_line(1), std::string(LOGO_ROWS[1]) + label("Hostname"));
}

TEST_F(Report, ProcessCountIsNeverNegative)
{
	const struct {
		int count;
		const char *shown;
	} cases[] = {{0, "0"},
	             {-1, "0"},
	             {INT_MIN, "0"},
	             {1, "1"},
	             {INT_MAX, "2147483647"}};
	for (const auto &test : cases) {
		fake::set_processes(test.count);
		EXPECT_EQ(row_line(7), std::string(LOGO_ROWS[7]) +
		                           label("Processes") + test.shown)
		    << test.count;
	}
}

TEST_F(Report, NoProcessTableMeansNoQueryAndNoCount)
{
	fake::fail_open();
	EXPECT_EQ(row_line(7), std::string(LOGO_ROWS[7]) + label("Processes"));
	EXPECT_EQ(fake::getprocs_calls(), 0);

	fake::reset();
	fake::fail_getprocs();
	EXPECT_EQ(row_line(7), std::string(LOGO_ROWS[7]) + label("Processes"));
}

} // namespace
