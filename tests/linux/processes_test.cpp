// SPDX-License-Identifier: BSD-2-Clause
/*
 * Listing /proc on Linux: which directories are this system's own procfs,
 * directory records that must end the process count, and the count of a
 * directory.
 */
#include "facts.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace
{

using platform::linux_facts::count_process_directory;
using platform::linux_facts::count_process_records;
using platform::linux_facts::is_own_proc;

using Listing = TempDir;

TEST_F(Listing, OnlyThisNamespacesProcfsIsOwnProc)
{
	ASSERT_EQ(symlink("1", (dir + "/self").c_str()), 0);
	const struct {
		std::string path;
		bool own;
	} cases[] = {
	    {"/proc", true},
	    {"/proc/self/task", false},
	    {dir, false},
	};
	for (const auto &test : cases) {
		int fd = open(test.path.c_str(), O_RDONLY | O_DIRECTORY);
		ASSERT_GE(fd, 0) << test.path;
		EXPECT_EQ(is_own_proc(fd), test.own) << test.path;
		close(fd);
	}
}

/* Appends one getdents64 record of reclen bytes for name. */
void add_record(std::string *records, unsigned short reclen, unsigned char type,
                const char *name)
{
	std::string record(reclen, '\0');
	std::uint64_t inode = 1;
	std::int64_t offset = 0;
	std::memcpy(&record[0], &inode, 8);
	std::memcpy(&record[8], &offset, 8);
	std::memcpy(&record[16], &reclen, 2);
	record[18] = char(type);
	if (reclen > 19)
		std::memcpy(
		    &record[19], name,
		    std::min(std::strlen(name), std::size_t(reclen - 19)));
	*records += record;
}

TEST(ProcessRecords, CountsNumberedDirectoriesAndRejectsMalformedOnes)
{
	const unsigned char DIR = 4, REG = 8;
	std::string good;
	add_record(&good, 24, DIR, "1");
	add_record(&good, 24, DIR, "self");
	add_record(&good, 24, REG, "2");
	add_record(&good, 32, DIR, "12345");

	const struct {
		const char *what;
		std::string records;
		bool valid;
		int processes;
	} cases[] = {
	    {"well formed", good, true, 2},
	    {"empty", "", true, 0},
	    {"a record of length 0", good + std::string(24, '\0'), false, 0},
	    {"a record past the data", good.substr(0, good.size() - 8), false,
	     0},
	    {"a header cut short", good + std::string(10, '\0'), false, 0},
	};
	for (const auto &test : cases) {
		int processes = 0;
		EXPECT_EQ(count_process_records(test.records.data(),
		                                test.records.size(),
		                                &processes),
		          test.valid)
		    << test.what;
		if (test.valid) {
			EXPECT_EQ(processes, test.processes) << test.what;
		}
	}
}

/* A directory of numbered folders, and one in which no process is found. */
TEST_F(Listing, CountsTheNumberedFoldersOfADirectory)
{
	for (const char *name : {"1", "22", "333", "net", "sys"})
		ASSERT_EQ(mkdir((dir + "/" + name).c_str(), 0700), 0);
	int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
	ASSERT_GE(fd, 0);
	int processes = 0;
	EXPECT_TRUE(count_process_directory(fd, &processes));
	EXPECT_EQ(processes, 3);
	close(fd);

	std::string empty = dir + "/sys";
	fd = open(empty.c_str(), O_RDONLY | O_DIRECTORY);
	ASSERT_GE(fd, 0);
	EXPECT_FALSE(count_process_directory(fd, &processes));
	close(fd);
}

} // namespace
