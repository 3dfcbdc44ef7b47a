// SPDX-License-Identifier: BSD-2-Clause
/*
 * sysfacts: prints a picture with nine facts about the running system beside
 * it.  It takes no options, writes nothing to standard error and always exits
 * with status 0.
 */
#include "output.h"
#include "report.h"

#include <csignal>

int main()
{
	/*
	 * A reader that goes away early, or a file-size limit reached on a
	 * file, must not change the exit status: the write fails instead and
	 * the report is cut short.
	 */
	signal(SIGPIPE, SIG_IGN);
	signal(SIGXFSZ, SIG_IGN);
	print_report();
	output_flush();
	return 0;
}
