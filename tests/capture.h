// SPDX-License-Identifier: BSD-2-Clause
/*
 * Runs a piece of the report and returns what it wrote to standard output.
 */
#ifndef SYSFACTS_CAPTURE_H
#define SYSFACTS_CAPTURE_H

#include "output.h"

#include <cstdio>
#include <string>
#include <unistd.h>

template <typename Writer> std::string capture(Writer write)
{
	output_flush();
	fflush(stdout);
	int saved = dup(STDOUT_FILENO);
	FILE *file = tmpfile();
	dup2(fileno(file), STDOUT_FILENO);
	write();
	output_flush();
	fflush(stdout);
	dup2(saved, STDOUT_FILENO);
	close(saved);
	std::string text;
	rewind(file);
	char chunk[4096];
	std::size_t length;
	while ((length = fread(chunk, 1, sizeof(chunk), file)) > 0)
		text.append(chunk, length);
	fclose(file);
	return text;
}

#endif
