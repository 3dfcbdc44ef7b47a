// SPDX-License-Identifier: BSD-2-Clause
/*
 * The report driver: counts the processes through the process table, then
 * writes the picture row by row with the facts beside rows 1 to 9.
 */
#include "report.h"

#include "logo.h"
#include "fields.h"
#include "platform.h"

#include <cstdio>

/* Held open for the whole run; process exit closes it. */
static platform::kvm_t *process_table;
static int process_count;

/*
 * Counts the processes, not their threads.  Returns false when the table
 * cannot be opened or read: the count is then unknown, never 0, since this
 * program is itself running.
 */
static bool count_processes()
{
	char error_text[platform::KVM_ERRBUF_SIZE];
	process_table =
	    platform::kvm_openfiles(nullptr, "/dev/null", nullptr,
	                            platform::KVM_OPEN_READ_ONLY, error_text);
	return process_table != nullptr &&
	       platform::kvm_getprocs(process_table,
	                              platform::PROC_SELECTOR_PROCESSES, 0,
	                              &process_count) != nullptr;
}

static void print_logo_row(int row)
{
	printf("%s", LOGO_ROWS[row]);
}

int print_report()
{
	bool processes_known = count_processes();

	puts("\n");
	puts(LOGO_ROWS[0]);

	print_logo_row(1);
	print_labelled_sysctl("Hostname", "kern.hostname");
	putchar('\n');

	print_logo_row(2);
	print_bootmethod();
	putchar('\n');

	print_logo_row(3);
	print_label("OS");
	print_sysctl_string("kern.ostype");
	putchar(' ');
	print_sysctl_string("hw.machine_arch");
	putchar('\n');

	print_logo_row(4);
	print_labelled_sysctl("Version", "kern.osrelease");
	putchar('\n');

	print_logo_row(5);
	print_cpu();
	putchar('\n');

	print_logo_row(6);
	print_memory();
	putchar('\n');

	printf("%s" FIXED_LABEL("Processes"), LOGO_ROWS[7]);
	if (processes_known)
		printf("%d", process_count > 0 ? process_count : 0);
	putchar('\n');

	printf("%s" FIXED_LABEL("Shell"), LOGO_ROWS[8]);
	print_shell();
	putchar('\n');

	print_logo_row(9);
	print_uptime();
	putchar('\n');

	for (int row = 10; row < LOGO_ROW_COUNT; row++)
		puts(LOGO_ROWS[row]);
	puts("\n");
	return 0;
}
