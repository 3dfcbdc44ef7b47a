// SPDX-License-Identifier: BSD-2-Clause
/*
 * hw.model: the processor as FreeBSD names it, from the lines of
 * /proc/cpuinfo that name it and, on ARM alone, CPU 0's identification
 * register in /sys/devices/system/cpu/cpu0/regs/identification/midr_el1.
 */
#include "cpu/cpu_names.h"
#include "facts.h"
#include "proc_files.h"
#include "sysctl_values.h"

#include <cerrno>
#include <cstdint>

namespace
{

namespace cpu_names = platform::cpu_names;

/* CPU 0's identification register, on an ARM processor. */
bool cpu0_midr(std::uint32_t *midr)
{
	char text[32];
	ssize_t length = platform::proc_files::read_text_file(
	    "/sys/devices/system/cpu/cpu0/regs/identification/midr_el1", text,
	    sizeof(text));
	return length > 0 &&
	       cpu_names::parse_midr(text, std::size_t(length), midr);
}

bool take_line(const char *line, std::size_t length, bool /*cut*/,
               void *context)
{
	return cpu_names::take_cpuinfo_line(
	    static_cast<cpu_names::cpuinfo_lines *>(context), line, length);
}

/*
 * Each read asks for the whole buffer, as on most machines the file is read
 * to its end: only an ARM processor's lines settle the name before it.
 */
constexpr std::size_t CPUINFO_BUFFER = platform::proc_files::READ_BUFFER_SIZE;

} // namespace

int platform::linux_facts::processor_model(void *oldp, std::size_t *oldlenp)
{
	char buffer[CPUINFO_BUFFER];
	cpu_names::cpuinfo_lines lines{};
	if (platform::proc_files::each_line(
	        "/proc/cpuinfo", buffer, sizeof(buffer), sizeof(buffer),
	        take_line, &lines) != platform::proc_files::lines_status::read)
		return fail(ENOENT);
	char made[cpu_names::MADE_NAME_SIZE];
	const char *model;
	std::size_t model_length;
	if (!cpu_names::name_from_values(lines.values, cpu0_midr, made, &model,
	                                 &model_length))
		return fail(ENOENT);
	return platform::sysctl_values::copy_string(model, model_length, oldp,
	                                            oldlenp);
}
