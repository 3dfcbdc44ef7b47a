// SPDX-License-Identifier: BSD-2-Clause
/*
 * The report's way out: held to the end, it leaves in as few writes as
 * descriptor 1 takes, interrupted, non-blocking or taking part at a time.
 */
#ifndef SYSFACTS_OUTPUT_H
#define SYSFACTS_OUTPUT_H

#include <cstddef>

void output_bytes(const char *bytes, std::size_t length);
/* Bytes that stay where they are until the report is written: a constant. */
void output_constant(const char *bytes, std::size_t length);
void output_text(const char *text);
/* A byte, given as putchar(3) takes it. */
void output_char(int c);
/* A printf(3) format, for the numbers of the report. */
void output_format(const char *format, ...)
    __attribute__((format(printf, 1, 2)));
/* Writes what is held; false once standard output has failed for good. */
bool output_flush();

#endif
