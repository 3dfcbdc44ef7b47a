// SPDX-License-Identifier: BSD-2-Clause
/*
 * The report driver: counts the processes through the process table, then
 * writes the picture row by row with the facts beside rows 1 to 9.
 */
#include "report.h"

#include "logo.h"
#include "output.h"
#include "fields.h"
#include "platform.h"

/* Held open for the whole run; process exit closes it. */
static platform::kvm_t *process_table;
static int process_count;

/*
 * Counts the processes, not their threads.  A table that cannot be read
 * leaves the count unknown, never 0: this program itself is running.
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

/* Writes a picture row as it is stored, without a line end. */
static void print_logo_row(int row)
{
	output_constant(LOGO_ROWS[row].data(), LOGO_ROWS[row].size());
}

int print_report()
{
	bool processes_known = count_processes();

	output_text("\n\n");
	print_logo_row(0);
	output_char('\n');

	print_logo_row(1);
	output_text(FIXED_LABEL("Hostname"));
	print_sysctl_text("kern.hostname", false);
	output_char('\n');

	print_logo_row(2);
	print_bootmethod();
	output_char('\n');

	print_logo_row(3);
	output_text(FIXED_LABEL("OS"));
	print_sysctl_text("kern.ostype", false);
	output_char(' ');
	print_sysctl_text("hw.machine_arch", false);
	output_char('\n');

	print_logo_row(4);
	output_text(FIXED_LABEL("Version"));
	print_sysctl_text("kern.osrelease", false);
	output_char('\n');

	print_logo_row(5);
	print_cpu();
	output_char('\n');

	print_logo_row(6);
	print_memory();
	output_char('\n');

	print_logo_row(7);
	output_text(FIXED_LABEL("Processes"));
	if (processes_known)
		output_format("%d", process_count > 0 ? process_count : 0);
	output_char('\n');

	print_logo_row(8);
	output_text(FIXED_LABEL("Shell"));
	print_shell();
	output_char('\n');

	print_logo_row(9);
	print_uptime();
	output_char('\n');

	for (int row = 10; row < LOGO_ROW_COUNT; row++) {
		print_logo_row(row);
		output_char('\n');
	}
	output_text("\n\n");
	return 0;
}
