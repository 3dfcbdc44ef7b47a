// SPDX-License-Identifier: BSD-2-Clause
/*
 * sysfacts: prints a picture with nine facts about the running system beside
 * it.  It takes no options, writes nothing to standard error and always exits
 * with status 0.
 */
#include "report.h"

#include <csignal>
#include <cstdio>

/*
 * The report, about 13 KiB, leaves in two writes.  A buffer large enough for
 * one write would cost a fresh process more page faults, which take longer
 * than the write they save.
 */
static char output_buffer[8192];

int main()
{
	/*
	 * A reader that goes away early, or a file-size limit reached on a
	 * file, must not change the exit status: the write fails instead and
	 * the report is cut short.
	 */
	signal(SIGPIPE, SIG_IGN);
	signal(SIGXFSZ, SIG_IGN);
	setvbuf(stdout, output_buffer, _IOFBF, sizeof(output_buffer));
	/* Returning from main flushes what is left in the buffer. */
	print_report();
	return 0;
}
