// SPDX-License-Identifier: BSD-2-Clause
/*
 * Naming the processor as FreeBSD does.  On ARM its hw.model is made from
 * CPU 0's identification register (MIDR), such as "ARM Cortex-A72 r0p3";
 * on POWER it is the name of the processor version, such as "IBM POWER9".
 * Elsewhere, where FreeBSD has no port or no hw.model, the kernel's own
 * model name stands for it.
 */
#include "cpu_names.h"

#include "arm_cpu_table.h"
#include "powerpc_cpu_table.h"
#include "proc_text.h"

#include <cstdio>
#include <cstring>

namespace
{

namespace table = platform::arm_cpu_table;
using platform::cpu_names::KEPT_VALUE_MAX;
using platform::proc_text::cpuinfo_value;

/* The lines of /proc/cpuinfo that name a processor. */
enum cpuinfo_key : unsigned char {
	ARM_IMPLEMENTER,
	ARM_VARIANT,
	ARM_PART,
	ARM_REVISION,
	POWER_REVISION,
	POWER_CPU,
	MODEL_NAME,
	RISCV_UARCH,
	KEY_COUNT
};
static_assert(KEY_COUNT == platform::cpu_names::CPUINFO_KEY_COUNT,
              "one kept value a key");
const char *const CPUINFO_KEYS[KEY_COUNT] = {
    "CPU implementer", "CPU variant", "CPU part",   "CPU revision",
    "revision",        "cpu",         "model name", "uarch",
};

/*
 * Reads the digits of [p, end) in base 10 or 16 into *value.  Returns false
 * when there are none, when anything else is there, or when the number is
 * larger than limit, which must leave room for one more digit in 64 bits.
 */
bool parse_digits(const char *p, const char *end, unsigned base,
                  std::uint64_t limit, std::uint64_t *value)
{
	if (p == end)
		return false;
	std::uint64_t number = 0;
	for (; p < end; p++) {
		unsigned digit;
		if (*p >= '0' && *p <= '9')
			digit = unsigned(*p - '0');
		else if (base == 16 && *p >= 'a' && *p <= 'f')
			digit = unsigned(*p - 'a' + 10);
		else if (base == 16 && *p >= 'A' && *p <= 'F')
			digit = unsigned(*p - 'A' + 10);
		else
			return false;
		number = (number * base) + digit;
		if (number > limit)
			return false;
	}
	*value = number;
	return true;
}

/* Reads a number such as "0x41", in hexadecimal after "0x", or "3". */
bool parse_number(const char *p, const char *end, std::uint64_t limit,
                  std::uint64_t *value)
{
	if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
		return parse_digits(p + 2, end, 16, limit, value);
	return parse_digits(p, end, 10, limit, value);
}

/* Reads the number of a line's value, such as "0xd08" or "3". */
bool value_number(const cpuinfo_value &value, std::uint64_t limit,
                  std::uint64_t *number)
{
	if (value.text == nullptr || value.length >= KEPT_VALUE_MAX)
		return false;
	const char *end = value.text + value.length;
	while (end > value.text &&
	       (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r'))
		end--;
	return parse_number(value.text, end, limit, number);
}

/*
 * Makes the register from the lines of an ARM processor:
 * "CPU implementer\t: 0x41", "CPU variant\t: 0x0", "CPU part\t: 0xd08",
 * "CPU revision\t: 3".  The architecture field reads 0xf, as on every core
 * that Linux names by these lines.
 */
bool cpuinfo_midr(const cpuinfo_value values[], std::uint32_t *midr)
{
	std::uint64_t implementer;
	std::uint64_t variant;
	std::uint64_t part;
	std::uint64_t revision;
	if (!value_number(values[ARM_IMPLEMENTER], 0xff, &implementer) ||
	    !value_number(values[ARM_VARIANT], 0xf, &variant) ||
	    !value_number(values[ARM_PART], 0xfff, &part) ||
	    !value_number(values[ARM_REVISION], 0xf, &revision))
		return false;
	*midr = std::uint32_t((implementer << 24) | (variant << 20) |
	                      (0xfU << 16) | (part << 4) | revision);
	return true;
}

const char *implementer_name(unsigned code)
{
	for (std::size_t i = 0; i < table::IMPLEMENTER_COUNT; i++)
		if (table::IMPLEMENTERS[i].code == code)
			return table::IMPLEMENTERS[i].name;
	return nullptr;
}

/* Finds a part by binary search, the table being sorted. */
const char *part_name(unsigned implementer, unsigned number)
{
	std::size_t low = 0;
	std::size_t high = table::PART_COUNT;
	unsigned key = (implementer << 12) | number;
	while (low < high) {
		std::size_t middle = low + ((high - low) / 2);
		const table::part &entry = table::PARTS[middle];
		unsigned at =
		    (unsigned(entry.implementer) << 12) | entry.number;
		if (at == key)
			return entry.name;
		if (at < key)
			low = middle + 1;
		else
			high = middle;
	}
	return nullptr;
}

/* Writes the name as FreeBSD's arm64 identcpu.c writes hw.model. */
std::size_t arm_name(std::uint32_t midr, char *made, std::size_t size)
{
	unsigned implementer = midr >> 24;
	unsigned variant = (midr >> 20) & 0xf;
	unsigned part = (midr >> 4) & 0xfff;
	unsigned revision = midr & 0xf;
	const char *maker = implementer_name(implementer);
	const char *core = part_name(implementer, part);
	int written;
	if (maker == nullptr)
		written = std::snprintf(made, size,
		                        "Unknown Implementer (midr: %08x)",
		                        unsigned(midr));
	else if (core == nullptr)
		written = std::snprintf(
		    made, size, "%s Unknown CPU r%up%u (midr: %08x)", maker,
		    variant, revision, unsigned(midr));
	else
		written = std::snprintf(made, size, "%s %s r%up%u", maker, core,
		                        variant, revision);
	return written > 0 ? std::size_t(written) : 0;
}

/* Finds a PowerPC version by binary search, the table being sorted. */
const char *powerpc_model_name(unsigned version)
{
	namespace models = platform::powerpc_cpu_table;
	std::size_t low = 0;
	std::size_t high = models::MODEL_COUNT;
	while (low < high) {
		std::size_t middle = low + ((high - low) / 2);
		const models::model &entry = models::MODELS[middle];
		if (entry.version == version)
			return entry.name;
		if (entry.version < version)
			low = middle + 1;
		else
			high = middle;
	}
	return nullptr;
}

/*
 * Names a PowerPC processor from "revision\t: 2.2 (pvr 004e 1202)":
 * FreeBSD's name for the version, 004e, or for a POWER processor newer than
 * its table, "IBM " and the first word of "cpu\t: POWER10, altivec supported".
 */
std::size_t powerpc_name(const cpuinfo_value values[], char *made,
                         std::size_t size)
{
	const cpuinfo_value &revision = values[POWER_REVISION];
	if (revision.text == nullptr || revision.length >= KEPT_VALUE_MAX)
		return 0;
	const char *end = revision.text + revision.length;
	const char *pvr = nullptr;
	for (const char *p = revision.text; end - p >= 5; p++)
		if (std::memcmp(p, "(pvr ", 5) == 0) {
			pvr = p + 5;
			break;
		}
	const char *pvr_end = pvr;
	while (pvr_end != nullptr && pvr_end < end && *pvr_end != ' ')
		pvr_end++;
	std::uint64_t version;
	if (pvr == nullptr || !parse_digits(pvr, pvr_end, 16, 0xffff, &version))
		return 0;
	const char *model = powerpc_model_name(unsigned(version));
	if (model != nullptr)
		return std::size_t(std::snprintf(made, size, "%s", model));

	const cpuinfo_value &cpu = values[POWER_CPU];
	std::size_t word = 0;
	while (word < cpu.length && cpu.text[word] != ',' &&
	       cpu.text[word] != ' ')
		word++;
	if (word <= 5 || std::memcmp(cpu.text, "POWER", 5) != 0 ||
	    word > size - sizeof("IBM "))
		return 0;
	return std::size_t(
	    std::snprintf(made, size, "IBM %.*s", int(word), cpu.text));
}

} // namespace

bool platform::cpu_names::parse_midr(const char *text, std::size_t length,
                                     std::uint32_t *midr)
{
	const char *end = text + length;
	if (end > text && end[-1] == '\n')
		end--;
	std::uint64_t value;
	if (end - text < 3 || text[0] != '0' || text[1] != 'x' ||
	    !parse_number(text, end, UINT32_MAX, &value))
		return false;
	*midr = std::uint32_t(value);
	return true;
}

bool platform::cpu_names::name_from_values(
    const cpuinfo_value values[CPUINFO_KEY_COUNT],
    bool (*read_midr)(std::uint32_t *), char (&made)[MADE_NAME_SIZE],
    const char **name, std::size_t *name_length)
{
	std::uint32_t midr;
	std::size_t made_length = 0;
	if (values[ARM_IMPLEMENTER].text != nullptr) {
		if (read_midr(&midr) || cpuinfo_midr(values, &midr))
			made_length = arm_name(midr, made, sizeof(made));
	} else {
		made_length = powerpc_name(values, made, sizeof(made));
	}
	if (made_length > 0 && made_length < sizeof(made)) {
		*name = made;
		*name_length = made_length;
		return true;
	}
	/* The kernel's own name, or a RISC-V kernel's core. */
	const cpuinfo_value &named = values[MODEL_NAME].text != nullptr
	                                 ? values[MODEL_NAME]
	                                 : values[RISCV_UARCH];
	if (named.text == nullptr || named.length >= KEPT_VALUE_MAX ||
	    std::memchr(named.text, '\0', named.length) != nullptr)
		return false;
	*name = named.text;
	*name_length = named.length;
	return true;
}

bool platform::cpu_names::processor_name(
    const char *cpuinfo, std::size_t length, bool (*read_midr)(std::uint32_t *),
    char (&made)[MADE_NAME_SIZE], const char **name, std::size_t *name_length)
{
	cpuinfo_value values[KEY_COUNT] = {};
	platform::proc_text::cpuinfo_values(cpuinfo, length, CPUINFO_KEYS,
	                                    KEY_COUNT, values);
	return name_from_values(values, read_midr, made, name, name_length);
}

bool platform::cpu_names::take_cpuinfo_line(cpuinfo_lines *lines,
                                            const char *line,
                                            std::size_t length)
{
	const char *line_end = line + length;
	for (std::size_t k = 0; k < KEY_COUNT && length > 0; k++) {
		/* Most lines are told from every key by their first letter. */
		if (lines->values[k].text != nullptr ||
		    (line[0] | 0x20) != (CPUINFO_KEYS[k][0] | 0x20))
			continue;
		const char *value = platform::proc_text::cpuinfo_line_value(
		    line, line_end, CPUINFO_KEYS[k]);
		if (value == nullptr)
			continue;
		std::size_t found = std::size_t(line_end - value);
		std::size_t kept =
		    found < KEPT_VALUE_MAX ? found : KEPT_VALUE_MAX;
		std::memcpy(lines->kept[k], value, kept);
		lines->values[k] = cpuinfo_value{lines->kept[k], kept};
		break;
	}
	/*
	 * Only the four lines of an ARM processor, when they make a register,
	 * settle its name: before them, or with a number out of range, a
	 * later line could still give one.
	 */
	std::uint32_t midr;
	return !cpuinfo_midr(lines->values, &midr);
}
