// SPDX-License-Identifier: BSD-2-Clause
/*
 * Reading /proc on Linux: the read loop on a pipe that delivers its text in
 * two parts, the files that must not be read, and the lines of a file.
 */
#include "proc_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace
{

using platform::proc_files::each_line;
using platform::proc_files::lines_status;
using platform::proc_files::read_text_file;
using platform::proc_files::read_to_end;

TEST(ProcFiles, ReadToEndJoinsAShortRead)
{
	int ends[2];
	ASSERT_EQ(pipe(ends), 0);
	std::thread writer([&] {
		const char first[] = "model name\t: AMD EP";
		const char second[] = "YC 7B13\n";
		EXPECT_GT(write(ends[1], first, sizeof(first) - 1), 0);
		usleep(50000);
		EXPECT_GT(write(ends[1], second, sizeof(second) - 1), 0);
		close(ends[1]);
	});
	char buffer[64];
	ssize_t length = read_to_end(ends[0], buffer, sizeof(buffer));
	writer.join();
	close(ends[0]);
	ASSERT_GT(length, 0);
	EXPECT_EQ(std::string(buffer, std::size_t(length)),
	          "model name\t: AMD EPYC 7B13\n");
}

TEST(ProcFiles, ReadToEndStopsAtAFullBuffer)
{
	int ends[2];
	ASSERT_EQ(pipe(ends), 0);
	ASSERT_EQ(write(ends[1], "0123456789", 10), 10);
	char buffer[4];
	EXPECT_EQ(read_to_end(ends[0], buffer, sizeof(buffer)), 4);
	close(ends[0]);
	close(ends[1]);
	EXPECT_EQ(read_to_end(ends[0], buffer, sizeof(buffer)), -1);
}

using TextFile = TempDir;

TEST_F(TextFile, OnlyRegularFilesAreRead)
{
	std::string fifo = dir + "/fifo";
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	char buffer[64];
	/* Nobody writes to the FIFO: the open must not wait for a writer. */
	EXPECT_EQ(read_text_file(fifo.c_str(), buffer, sizeof(buffer)), -1);
	EXPECT_EQ(read_text_file(dir.c_str(), buffer, sizeof(buffer)), -1);
	EXPECT_EQ(read_text_file("/dev/zero", buffer, sizeof(buffer)), -1);
	EXPECT_EQ(
	    read_text_file((dir + "/missing").c_str(), buffer, sizeof(buffer)),
	    -1);
}

TEST_F(TextFile, AFullBufferKeepsWholeLinesOnly)
{
	const struct {
		const char *text;
		const char *read; /* into a buffer of 16 bytes */
	} cases[] = {
	    {"MemTotal: 1 kB\nMemAvailable: 2 kB\n", "MemTotal: 1 kB\n"},
	    {"short\n", "short\n"},
	    {"no newline", "no newline"},
	    {"one line of more than sixteen bytes", ""},
	    {"", ""},
	};
	for (const auto &test : cases) {
		std::string path = write_file("text", test.text);
		char buffer[16];
		ssize_t length =
		    read_text_file(path.c_str(), buffer, sizeof(buffer));
		ASSERT_GE(length, 0) << test.text;
		EXPECT_EQ(std::string(buffer, std::size_t(length)), test.read);
	}
}

/* Collects the lines each_line() hands over, a cut one marked with "~". */
bool collect_line(const char *line, std::size_t length, bool cut, void *context)
{
	auto *lines = static_cast<std::string *>(context);
	lines->append(line, length).append(cut ? "~|" : "|");
	return lines->find("stop") == std::string::npos;
}

TEST_F(TextFile, EachLineHandsOverEveryLineWholeOrCut)
{
	const struct {
		const char *text;
		std::size_t first_read;
		const char *lines; /* through a buffer of 8 bytes */
	} cases[] = {
	    {"ab\ncd\n", 8, "ab|cd|"},
	    {"ab\ncd", 8, "ab|cd|"},
	    {"abc\ndefghi\njk\n", 2, "abc|defghi|jk|"},
	    {"abcdefghijkl\nm\n", 8, "abcdefgh~|m|"},
	    {"abcdefghijklmnopqrstuvwxyz\nm", 3, "abcdefgh~|m|"},
	    {"a\nstop\nb\n", 8, "a|stop|"},
	    {"\n\n", 1, "||"},
	    {"", 8, ""},
	};
	for (const auto &test : cases) {
		std::string path = write_file("lines", test.text);
		char buffer[8];
		std::string lines;
		EXPECT_EQ(each_line(path.c_str(), buffer, sizeof(buffer),
		                    test.first_read, collect_line, &lines),
		          lines_status::read)
		    << test.text;
		EXPECT_EQ(lines, test.lines) << test.text;
	}
	std::string lines;
	char buffer[8];
	EXPECT_EQ(each_line(dir.c_str(), buffer, sizeof(buffer), 8,
	                    collect_line, &lines),
	          lines_status::absent);
}

} // namespace
