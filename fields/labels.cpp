// SPDX-License-Identifier: BSD-2-Clause
/*
 * Labels and text values: the label style every field shares, and the
 * reading and printing of kernel text values such as kern.hostname.
 */
#include "fields.h"

#include "platform.h"

#include <climits>
#include <cstdio>
#include <cstring>

void print_label(const char *text)
{
	printf(LABEL_FORMAT, text);
}

/*
 * Reads a text value into value, which holds STRING_VALUE_MAX bytes.  A
 * value that does not fit with its terminating zero fails the read, and the
 * part of it that the system may have copied is never printed.
 */
static bool read_sysctl_string(const char *name, char *value)
{
	std::size_t length = STRING_VALUE_MAX;
	return platform::sysctlbyname(name, value, &length, nullptr, 0) == 0;
}

/*
 * Control bytes other than tab would act on the terminal instead of showing:
 * a line feed breaks the frame and an escape sequence can clear the screen
 * or recolour what follows.  Each is written as a question mark.
 */
static void print_value_byte(char byte)
{
	auto code = static_cast<unsigned char>(byte);
	if ((code < 0x20 && code != '\t') || code == 0x7f)
		putchar('?');
	else
		putchar(code);
}

int print_value(const char *text)
{
	for (; *text != '\0'; text++)
		print_value_byte(*text);
	return 0;
}

int print_sysctl_string(const char *name)
{
	char value[STRING_VALUE_MAX];
	if (!read_sysctl_string(name, value))
		return 1;
	return print_value(value);
}

void print_labelled_sysctl(const char *label, const char *name)
{
	print_label(label);
	print_sysctl_string(name);
}

/*
 * Writes text as print_value does, with every run of spaces shortened to a
 * single space.  Like the kernel values it prints, the text is taken to be
 * at most INT_MAX bytes long.
 */
int print_collapsed(const char *text)
{
	std::size_t length = std::strlen(text);
	if (length > INT_MAX)
		length = INT_MAX;
	bool after_space = false;
	for (std::size_t i = 0; i < length; i++) {
		bool is_space = text[i] == ' ';
		if (!(is_space && after_space))
			print_value_byte(text[i]);
		after_space = is_space;
	}
	return 0;
}

int print_collapsed_sysctl(const char *fixed_label, const char *name)
{
	char value[STRING_VALUE_MAX];
	printf("%s", fixed_label);
	if (!read_sysctl_string(name, value))
		return 1;
	return print_collapsed(value);
}
