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
 * value that does not fit with its terminating zero is not read at all.
 */
static bool read_sysctl_string(const char *name, char *value)
{
	std::size_t length = STRING_VALUE_MAX;
	return platform::sysctlbyname(name, value, &length, nullptr, 0) == 0;
}

int print_sysctl_string(const char *name)
{
	char value[STRING_VALUE_MAX];
	if (!read_sysctl_string(name, value))
		return 1;
	printf("%s", value);
	return 0;
}

void print_labelled_sysctl(const char *label, const char *name)
{
	print_label(label);
	print_sysctl_string(name);
}

/*
 * Writes text with every run of spaces shortened to a single space.  Like
 * the kernel values it prints, the text is taken to be at most INT_MAX
 * bytes long.
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
			putchar(text[i]);
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
