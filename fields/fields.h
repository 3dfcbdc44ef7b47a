// SPDX-License-Identifier: BSD-2-Clause
/*
 * The label helpers and the field probes.  Each probe writes one fact on the
 * current line of standard output and never a line end; the report driver
 * writes the picture row before it and the line end after it.
 */
#ifndef SYSFACTS_FIELDS_H
#define SYSFACTS_FIELDS_H

#include <cstddef>

/* A label is bold red text and a colon, then a reset and one space. */
#define LABEL_START "\033[1;31m"
#define LABEL_END ":\033[0;0m "
#define FIXED_LABEL(text) LABEL_START text LABEL_END

/* Room for a text value with its terminating zero. */
inline constexpr std::size_t STRING_VALUE_MAX = 256;

void print_label(const char *text);
/* Writes a value with its control characters, tab apart, shown as '?'. */
int print_value(const char *text);
int print_sysctl_string(const char *name);
void print_labelled_sysctl(const char *label, const char *name);
int print_collapsed(const char *text);
int print_collapsed_sysctl(const char *fixed_label, const char *name);

int print_bootmethod();
int print_cpu();
int print_memory();
int print_shell();
void print_uptime();

#endif
