// SPDX-License-Identifier: BSD-2-Clause
/*
 * Reading a /proc or /sys file line by line: the files that must not be
 * read, and the lines of a file through a buffer smaller than they are.
 */
#include "lines.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace
{

using platform::linux_facts::each_line;
using platform::linux_facts::file_read;

using LineFile = TempDir;

/*
 * The lines each_line() hands over, a cut one marked with "~", until one
 * that holds "stop".
 */
template <std::size_t BUFFER_SIZE = 8> std::string lines_of(const char *path)
{
	std::string lines;
	file_read read = each_line<BUFFER_SIZE>(
	    path, [&](const char *line, std::size_t length, bool cut) {
		    lines.append(line, length).append(cut ? "~|" : "|");
		    return lines.find("stop") == std::string::npos;
	    });
	if (read == file_read::absent)
		return "(absent)";
	return read == file_read::complete ? lines : "(failed)";
}

TEST_F(LineFile, OnlyRegularFilesAreRead)
{
	std::string fifo = dir + "/fifo";
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	/* Nobody writes to the FIFO: the open must not wait for a writer. */
	for (const std::string &path :
	     {fifo, dir, std::string("/dev/zero"), dir + "/missing"})
		EXPECT_EQ(lines_of(path.c_str()), "(absent)") << path;
}

TEST_F(LineFile, EveryLineIsHandedOverWholeOrCut)
{
	const struct {
		const char *text;
		const char *lines; /* through a buffer of 8 bytes */
	} cases[] = {
	    {"ab\ncd\n", "ab|cd|"},
	    {"ab\ncd", "ab|cd|"},
	    {"abc\ndefghi\njk\n", "abc|defghi|jk|"},
	    {"abcdefghijkl\nm\n", "abcdefgh~|m|"},
	    {"abcdefghijklmnopqrstuvwxyz\nm", "abcdefgh~|m|"},
	    {"abcdefgh", "abcdefgh~|"},
	    {"0x00000000410fd083\n", "0x000000~|"},
	    {"a\nstop\nb\n", "a|stop|"},
	    {"stopabcdefgh\nb\n", "stopabcd~|"},
	    {"\n\n", "||"},
	    {"", ""},
	};
	for (const auto &test : cases) {
		std::string path = write_file("lines", test.text);
		EXPECT_EQ(lines_of(path.c_str()), test.lines) << test.text;
	}
	/* Through the program's own buffer, a long file, lines whole. */
	std::string text;
	for (int i = 0; i < 1000; i++)
		text += "line " + std::to_string(i) + "\n";
	std::string path = write_file("long", text);
	std::string expected = text;
	for (char &c : expected)
		c = c == '\n' ? '|' : c;
	EXPECT_EQ(
	    lines_of<platform::linux_facts::LINE_BUFFER_SIZE>(path.c_str()),
	    expected);
}

} // namespace
