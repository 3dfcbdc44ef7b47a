// SPDX-License-Identifier: BSD-2-Clause
/*
 * Text values: the one printer of every value the report shows, and the
 * reading of the system's text values such as kern.hostname.
 */
#include "fields.h"
#include "output.h"

#include "platform.h"

#include <cstring>

/*
 * Control characters would act on the terminal instead of showing: a line
 * feed breaks the frame, an escape sequence can clear the screen or recolour
 * what follows, and the C1 controls (U+0080 to U+009F, or those bytes alone,
 * which 8-bit terminals obey) do the same in one character.  Each is written
 * as a question mark.  Tab is not a control here; bytes of 0xa0 and above
 * outside a character are left for the terminal to show.
 */
static bool is_control_byte(unsigned char byte)
{
	return (byte < 0x20 && byte != '\t') || (byte >= 0x7f && byte <= 0x9f);
}

/*
 * Returns the length of the well-formed UTF-8 character at the start of
 * [text, end), or 0 when the bytes there are not one.  The ranges are
 * Unicode's: no overlong forms, no surrogates, nothing past U+10FFFF.
 */
static std::size_t utf8_length(const unsigned char *text,
                               const unsigned char *end)
{
	unsigned char lead = text[0];
	std::size_t length;
	unsigned char low = 0x80;
	unsigned char high = 0xbf;
	if (lead >= 0xc2 && lead <= 0xdf)
		length = 2;
	else if (lead >= 0xe0 && lead <= 0xef)
		length = 3;
	else if (lead >= 0xf0 && lead <= 0xf4)
		length = 4;
	else
		return 0;
	if (lead == 0xe0)
		low = 0xa0;
	else if (lead == 0xed)
		high = 0x9f;
	else if (lead == 0xf0)
		low = 0x90;
	else if (lead == 0xf4)
		high = 0x8f;
	if (std::size_t(end - text) < length || text[1] < low || text[1] > high)
		return 0;
	for (std::size_t i = 2; i < length; i++)
		if (text[i] < 0x80 || text[i] > 0xbf)
			return 0;
	return length;
}

/* Writes well-formed characters whole, other bytes one by one. */
void print_text(const char *text, bool collapse)
{
	const auto *p = reinterpret_cast<const unsigned char *>(text);
	const unsigned char *end = p + std::strlen(text);
	bool after_space = false;
	while (p < end) {
		std::size_t character = utf8_length(p, end);
		if (character == 0) {
			bool is_space = *p == ' ';
			if (!(collapse && is_space && after_space))
				output_char(is_control_byte(*p) ? '?' : *p);
			after_space = is_space;
			p++;
			continue;
		}
		/* U+0080 to U+009F are encoded as C2 80 to C2 9F. */
		if (character == 2 && p[0] == 0xc2 && p[1] <= 0x9f)
			output_char('?');
		else
			output_bytes(reinterpret_cast<const char *>(p),
			             character);
		after_space = false;
		p += character;
	}
}

/*
 * A value that does not fit with its terminating zero fails the read, and
 * the part of it that the system may have copied is never printed.
 */
bool print_sysctl_text(const char *name, bool collapse)
{
	char value[STRING_VALUE_MAX];
	std::size_t length = sizeof(value);
	if (platform::sysctlbyname(name, value, &length, nullptr, 0) != 0)
		return false;
	print_text(value, collapse);
	return true;
}
