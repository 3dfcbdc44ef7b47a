// SPDX-License-Identifier: BSD-2-Clause
/* A fixture with a folder of its own, removed after each test. */
#ifndef SYSFACTS_TEMP_DIR_H
#define SYSFACTS_TEMP_DIR_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

class TempDir : public ::testing::Test
{
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/sysfacts_test.XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		dir = pattern;
	}
	void TearDown() override
	{
		std::string command = "rm -rf '" + dir + "'";
		EXPECT_EQ(std::system(command.c_str()), 0);
	}
	/* Writes text to the file name in the folder; returns its path. */
	std::string write_file(const char *name, const std::string &text)
	{
		std::string path = dir + "/" + name;
		int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
		EXPECT_GE(fd, 0) << path;
		EXPECT_EQ(write(fd, text.data(), text.size()),
		          ssize_t(text.size()))
		    << path;
		close(fd);
		return path;
	}
	std::string dir;
};

#endif
