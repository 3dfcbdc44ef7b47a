// SPDX-License-Identifier: BSD-2-Clause
/*
 * hw.model: the processor as FreeBSD names it (cpu_names.cpp), from the
 * lines of /proc/cpuinfo that name it and, on ARM, CPU 0's identification
 * register (MIDR) in /sys.
 */
#include "facts.h"
#include "lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace facts = platform::linux_facts;
using facts::PROCESSOR_NAME_SIZE;

/* Room for a name from the tables: FreeBSD's arm64 names hold 63 bytes. */
constexpr std::size_t TABLE_NAME_SIZE = 64;

namespace
{

/* The lines of /proc/cpuinfo that name a processor. */
const char *const CPUINFO_KEYS[] = {
    "CPU implementer", "CPU variant", "CPU part",   "CPU revision",
    "revision",        "cpu",         "model name", "uarch",
};
enum cpuinfo_key : unsigned char {
	ARM_IMPLEMENTER,
	ARM_VARIANT,
	ARM_PART,
	ARM_REVISION,
	POWER_REVISION,
	POWER_CPU,
	MODEL_NAME,
	RISCV_UARCH,
};
constexpr std::size_t KEY_COUNT = sizeof(CPUINFO_KEYS) / sizeof(char *);

/* The first line of each key, kept to PROCESSOR_NAME_SIZE bytes. */
struct cpuinfo_values {
	bool found[KEY_COUNT];
	std::size_t length[KEY_COUNT];
	char text[KEY_COUNT][PROCESSOR_NAME_SIZE];
};

char ascii_lower(char c)
{
	return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

/*
 * Returns where the value of "model name\t: AMD EPYC 7B13" starts when its
 * key is key (in any case: LoongArch prints "Model Name"), or null.
 */
const char *value_of(const char *line, const char *end, const char *key)
{
	const char *p = line;
	for (; *key != '\0'; key++, p++)
		if (p == end || ascii_lower(*p) != ascii_lower(*key))
			return nullptr;
	while (p < end && (*p == ' ' || *p == '\t'))
		p++;
	if (p == end || *p != ':')
		return nullptr;
	p++;
	if (p < end && *p == ' ')
		p++;
	return p;
}

void take_cpuinfo_line(cpuinfo_values &values, const char *line,
                       std::size_t length)
{
	for (std::size_t k = 0; k < KEY_COUNT && length > 0; k++) {
		/* Most lines are told from every key by their first letter. */
		if (values.found[k] ||
		    (line[0] | 0x20) != (CPUINFO_KEYS[k][0] | 0x20))
			continue;
		const char *value =
		    value_of(line, line + length, CPUINFO_KEYS[k]);
		if (value == nullptr)
			continue;
		std::size_t kept = std::min(std::size_t(line + length - value),
		                            PROCESSOR_NAME_SIZE);
		std::memcpy(values.text[k], value, kept);
		values.length[k] = kept;
		values.found[k] = true;
		return;
	}
}

/* Reads a line's number, "0xd08" or "3", with any blanks after it. */
bool value_number(const cpuinfo_values &values, cpuinfo_key key,
                  std::uint64_t limit, std::uint64_t *number)
{
	const char *p = values.text[key];
	std::size_t length = values.length[key];
	if (!values.found[key] || length >= PROCESSOR_NAME_SIZE)
		return false;
	for (char last; length > 0 && ((last = p[length - 1]) == ' ' ||
	                               last == '\t' || last == '\r');)
		length--;
	bool hex = length > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
	return facts::parse_number(p + (hex ? 2 : 0), p + length, hex ? 16 : 10,
	                           limit, number);
}

/*
 * Makes the register from "CPU implementer\t: 0x41", "CPU variant\t: 0x0",
 * "CPU part\t: 0xd08" and "CPU revision\t: 3", with the architecture field
 * 0xf of every core that Linux names by these lines.
 */
bool register_from_lines(const cpuinfo_values &values, std::uint32_t *midr)
{
	std::uint64_t implementer;
	std::uint64_t variant;
	std::uint64_t part;
	std::uint64_t revision;
	if (!value_number(values, ARM_IMPLEMENTER, 0xff, &implementer) ||
	    !value_number(values, ARM_VARIANT, 0xf, &variant) ||
	    !value_number(values, ARM_PART, 0xfff, &part) ||
	    !value_number(values, ARM_REVISION, 0xf, &revision))
		return false;
	*midr = std::uint32_t((implementer << 24) | (variant << 20) |
	                      (0xfU << 16) | (part << 4) | revision);
	return true;
}

/* Reads the register as sysfs holds it, one line: "0x00000000410fd083". */
bool register_from_file(const char *path, std::uint32_t *midr)
{
	int lines = 0;
	std::uint64_t value = 0;
	auto take = [&](const char *line, std::size_t length, bool cut) {
		if (lines++ > 0 || cut || length <= 2 || line[0] != '0' ||
		    line[1] != 'x' ||
		    !facts::parse_number(line + 2, line + length, 16,
		                         UINT32_MAX, &value))
			lines++;
		return true;
	};
	if (facts::each_line(path, take) != facts::file_read::complete ||
	    lines != 1)
		return false;
	*midr = std::uint32_t(value);
	return true;
}

/*
 * Reads the version of a PowerPC processor, 004e in
 * "revision\t: 2.2 (pvr 004e 1202)", and names it.  Returns the name's
 * length, or 0.
 */
std::size_t powerpc_name(const cpuinfo_values &values, char *name,
                         std::size_t size)
{
	const char *revision = values.text[POWER_REVISION];
	const char *end = revision + values.length[POWER_REVISION];
	if (!values.found[POWER_REVISION] ||
	    values.length[POWER_REVISION] >= PROCESSOR_NAME_SIZE)
		return 0;
	const char *pvr = nullptr;
	for (const char *p = revision; pvr == nullptr && end - p >= 5; p++)
		if (std::memcmp(p, "(pvr ", 5) == 0)
			pvr = p + 5;
	const char *pvr_end = pvr;
	while (pvr_end != nullptr && pvr_end < end && *pvr_end != ' ')
		pvr_end++;
	std::uint64_t version;
	if (pvr == nullptr ||
	    !facts::parse_number(pvr, pvr_end, 16, 0xffff, &version))
		return 0;
	return facts::powerpc_name(unsigned(version), values.text[POWER_CPU],
	                           values.length[POWER_CPU], name, size);
}

} // namespace

/*
 * Names the processor of a cpuinfo file and, for an ARM processor, of the
 * register file, or else of its ARM lines.  Fails when the file cannot be
 * read whole, or names none, or one with a NUL byte or too long to show.
 */
bool facts::processor_name(const char *cpuinfo_path, const char *register_path,
                           char (&name)[PROCESSOR_NAME_SIZE],
                           std::size_t *length)
{
	cpuinfo_values values{};
	if (each_line(cpuinfo_path,
	              [&](const char *line, std::size_t line_length, bool) {
		              take_cpuinfo_line(values, line, line_length);
		              return true;
	              }) != file_read::complete)
		return false;
	std::size_t table_name_length = 0;
	std::uint32_t midr;
	if (values.found[ARM_IMPLEMENTER]) {
		if (register_from_file(register_path, &midr) ||
		    register_from_lines(values, &midr))
			table_name_length =
			    arm_name(midr, name, TABLE_NAME_SIZE);
	} else {
		table_name_length = powerpc_name(values, name, TABLE_NAME_SIZE);
	}
	if (table_name_length > 0 && table_name_length < TABLE_NAME_SIZE) {
		*length = table_name_length;
		return true;
	}
	/* The kernel's own name, or a RISC-V kernel's core. */
	cpuinfo_key named = values.found[MODEL_NAME] ? MODEL_NAME : RISCV_UARCH;
	*length = values.length[named];
	if (!values.found[named] || *length >= sizeof(name) ||
	    std::memchr(values.text[named], '\0', *length) != nullptr)
		return false;
	std::memcpy(name, values.text[named], *length);
	return true;
}

int facts::processor_model(void *oldp, std::size_t *oldlenp)
{
	char name[PROCESSOR_NAME_SIZE];
	std::size_t length;
	if (!processor_name(
	        "/proc/cpuinfo",
	        "/sys/devices/system/cpu/cpu0/regs/identification/midr_el1",
	        name, &length))
		return fail(ENOENT);
	return copy_string(name, length, oldp, oldlenp);
}
