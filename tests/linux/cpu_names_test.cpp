// SPDX-License-Identifier: BSD-2-Clause
/*
 * Naming the processor as FreeBSD does, from short /proc/cpuinfo texts of
 * each architecture, and the identification register's sysfs file.
 */
#include "cpu_names.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{

#define ARM_LINES(implementer, variant, part, revision)                        \
	"CPU implementer\t: " implementer "\nCPU architecture: 8\n"            \
	"CPU variant\t: " variant "\nCPU part\t: " part                        \
	"\nCPU revision\t: " revision "\n"

/* The register that the sysfs file gives in a case, or 0 for none. */
std::uint32_t sysfs_midr;

bool read_sysfs_midr(std::uint32_t *midr)
{
	*midr = sysfs_midr;
	return sysfs_midr != 0;
}

/*
 * Names the processor of text taken line by line, stopping where the lines
 * say that no later one can change the name.
 */
std::string streamed_name(const std::string &text)
{
	platform::cpu_names::cpuinfo_lines lines{};
	take_lines(text.data(), text.size(),
	           [&](const char *line, std::size_t length) {
		           return platform::cpu_names::take_cpuinfo_line(
		               &lines, line, length);
	           });
	char made[platform::cpu_names::MADE_NAME_SIZE];
	const char *name = nullptr;
	std::size_t length = 0;
	if (!platform::cpu_names::name_from_values(
	        lines.values, read_sysfs_midr, made, &name, &length))
		return "(none)";
	return std::string(name, length);
}

TEST(LinuxText, ProcessorNames)
{
	const struct {
		const char *what;
		std::string text;
		std::uint32_t midr; /* CPU 0's register in sysfs, or 0 */
		const char *name;   /* null when none is given */
	} cases[] = {
	    {"x86",
	     "processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel\t\t: 1\n"
	     "model name\t: AMD EPYC 7B13\nstepping\t: 1\n",
	     0, "AMD EPYC 7B13"},
	    {"the first model name", "model name\t: one\nmodel name\t: two\n",
	     0, "one"},
	    {"an empty name", "model name\t:\n", 0, ""},
	    {"no line end", "model name\t: no line end", 0, "no line end"},
	    {"no colon", "model name without colon\n", 0, nullptr},
	    {"a longer key", "model names\t: x\n", 0, nullptr},
	    {"LoongArch", "Model Name\t\t: Loongson-3A6000\n", 0,
	     "Loongson-3A6000"},
	    {"RISC-V", "isa\t\t: rv64imafdc\nuarch\t\t: sifive,u74-mc\n", 0,
	     "sifive,u74-mc"},
	    {"RISC-V, named", "model name\t: Spacemit(R) X60\nuarch\t: x\n", 0,
	     "Spacemit(R) X60"},
	    {"s390x",
	     "vendor_id       : IBM/S390\n"
	     "processor 0: version = FF,  machine = 8561\n",
	     0, nullptr},
	    {"a NUL byte", std::string("model name\t: AMD\0EPYC\n", 23), 0,
	     nullptr},
	    {"arm64",
	     "processor\t: 0\nBogoMIPS\t: 108.00\n" ARM_LINES("0x41", "0x0",
	                                                      "0xd08", "3"),
	     0, "ARM Cortex-A72 r0p3"},
	    {"a vendor kernel's model name",
	     "model name\t: ARMv8 Processor rev 1 (v8l)\n" ARM_LINES(
	         "0x4e", "0x0", "0x004", "0"),
	     0, "NVIDIA Carmel r0p0"},
	    {"32-bit ARM",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n" ARM_LINES(
	         "0x41", "0x0", "0xc07", "5"),
	     0, "ARM Cortex-A7 r0p5"},
	    {"a part not named", ARM_LINES("0x48", "0x1", "0xd02", "0"), 0,
	     "HiSilicon Unknown CPU r1p0 (midr: 481fd020)"},
	    {"an implementer not named", ARM_LINES("0x99", "0x0", "0x123", "3"),
	     0, "Unknown Implementer (midr: 990f1233)"},
	    {"ID lines after every processor",
	     "Processor\t: ARMv7 Processor rev 9 (v7l)\nprocessor\t: 0\n\n"
	     "processor\t: 1\n\n" ARM_LINES("0x41", "0x2", "0xc09", "9"),
	     0, "ARM Cortex-A9 r2p9"},
	    {"the register in sysfs", ARM_LINES("0x41", "0x0", "0xd03", "4"),
	     0x410fd083, "ARM Cortex-A72 r0p3"},
	    {"ID lines cut short",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n"
	     "CPU implementer\t: 0x41\n",
	     0, "ARMv7 Processor rev 5 (v7l)"},
	    {"a part out of range", ARM_LINES("0x41", "0x0", "0x1000", "0"), 0,
	     nullptr},
	    {"a part out of range, a model name after it",
	     ARM_LINES("0x41", "0x0", "0x1000", "0") "model name\t: Generic\n",
	     0, "Generic"},
	    {"POWER9",
	     "cpu\t\t: POWER9, altivec supported\n"
	     "revision\t: 2.2 (pvr 004e 1202)\n",
	     0, "IBM POWER9"},
	    {"POWER10",
	     "cpu\t\t: POWER10, altivec supported\n"
	     "revision\t: 2.0 (pvr 0080 0200)\n",
	     0, "IBM POWER10"},
	    {"POWER8E, raw",
	     "cpu\t\t: POWER8E (raw), altivec supported\n"
	     "revision\t: 2.1 (pvr 004b 0201)\n",
	     0, "IBM POWER8E"},
	    {"PowerMac G3",
	     "cpu\t\t: 740/750\nrevision\t: 2.2 (pvr 0008 0202)\n", 0,
	     "Motorola PowerPC 750"},
	    {"PowerBook G4",
	     "cpu\t\t: 7447A, altivec supported\n"
	     "revision\t: 1.2 (pvr 8003 0102)\n",
	     0, "Motorola PowerPC 7447A"},
	    {"e500v2", "cpu\t\t: e500v2\nrevision\t: 2.1 (pvr 8021 0021)\n", 0,
	     "Freescale e500v2 core"},
	    {"Cell",
	     "cpu\t\t: Cell Broadband Engine, altivec supported\n"
	     "revision\t: 5.1 (pvr 0070 0501)\n",
	     0, "IBM Cell Broadband Engine"},
	    {"a PowerPC FreeBSD does not name",
	     "cpu\t\t: e300c3\nrevision\t: 2.0 (pvr 8085 0020)\n", 0, nullptr},
	};
	for (const auto &test : cases) {
		char made[platform::cpu_names::MADE_NAME_SIZE];
		const char *name = nullptr;
		std::size_t length = 0;
		sysfs_midr = test.midr;
		bool found = platform::cpu_names::processor_name(
		    test.text.data(), test.text.size(), read_sysfs_midr, made,
		    &name, &length);
		EXPECT_EQ(found, test.name != nullptr) << test.what;
		if (found && test.name != nullptr) {
			EXPECT_EQ(std::string(name, length), test.name)
			    << test.what;
		}
		/* Taken line by line, as the file is read, the same name. */
		EXPECT_EQ(streamed_name(test.text),
		          found ? std::string(name, length) : "(none)")
		    << test.what;
	}
}

TEST(LinuxText, IdentificationRegisterFile)
{
	const struct {
		const char *text;
		bool valid;
		std::uint32_t midr;
	} cases[] = {
	    {"0x00000000410fd083\n", true, 0x410fd083},
	    {"0x00000000611f0221", true, 0x611f0221},
	    {"0x0000000100000000\n", false, 0},
	    {"0x\n", false, 0},
	    {"410fd083\n", false, 0},
	    {"", false, 0},
	};
	for (const auto &test : cases) {
		std::uint32_t midr = 0;
		EXPECT_EQ(platform::cpu_names::parse_midr(
		              test.text, std::strlen(test.text), &midr),
		          test.valid)
		    << test.text;
		EXPECT_EQ(midr, test.midr) << test.text;
	}
}

} // namespace
