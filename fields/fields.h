// SPDX-License-Identifier: BSD-2-Clause
/*
 * The label, the value printer and the probes.  Each probe writes one fact
 * and no line end; the driver writes the picture row and the line end.
 */
#ifndef SYSFACTS_FIELDS_H
#define SYSFACTS_FIELDS_H

#include <cstddef>

/* A label is bold red text and a colon, then a reset and one space. */
#define FIXED_LABEL(text) "\033[1;31m" text ":\033[0;0m "

/* Room for a text value with its terminating zero. */
inline constexpr std::size_t STRING_VALUE_MAX = 256;

/*
 * Writes a value with its control characters, tab apart, shown as '?' and,
 * with collapse set, every run of spaces as one.
 */
void print_text(const char *text, bool collapse);
/* Writes a text value read from the system; returns false without one. */
bool print_sysctl_text(const char *name, bool collapse);

bool print_bootmethod();
bool print_cpu();
void print_memory();
void print_shell();
void print_uptime();

#endif
