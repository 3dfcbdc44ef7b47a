// SPDX-License-Identifier: BSD-2-Clause
/*
 * Naming the processor as FreeBSD does, from short /proc/cpuinfo texts of
 * each architecture, and the identification register's sysfs file.
 */
#include "facts.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace
{

using Cpuinfo = TempDir;

/* The name given for the files at cpuinfo and midr, or "(none)". */
std::string name_of(const std::string &cpuinfo, const std::string &midr)
{
	char name[platform::linux_facts::PROCESSOR_NAME_SIZE];
	std::size_t length = 0;
	if (!platform::linux_facts::processor_name(cpuinfo.c_str(),
	                                           midr.c_str(), name, &length))
		return "(none)";
	return std::string(name, length);
}

#define ARM_LINES(implementer, variant, part, revision)                        \
	"CPU implementer\t: " implementer "\nCPU architecture: 8\n"            \
	"CPU variant\t: " variant "\nCPU part\t: " part                        \
	"\nCPU revision\t: " revision "\n"

TEST_F(Cpuinfo, ProcessorNames)
{
	const struct {
		const char *what;
		std::string text;
		const char *midr; /* CPU 0's register in sysfs, or null */
		const char *name; /* null when none is given */
	} cases[] = {
	    {"x86",
	     "processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel\t\t: 1\n"
	     "model name\t: AMD EPYC 7B13\nstepping\t: 1\n",
	     nullptr, "AMD EPYC 7B13"},
	    {"the first model name", "model name\t: one\nmodel name\t: two\n",
	     nullptr, "one"},
	    {"an empty name", "model name\t:\n", nullptr, ""},
	    {"no line end", "model name\t: no line end", nullptr,
	     "no line end"},
	    {"no colon", "model name without colon\n", nullptr, nullptr},
	    {"a longer key", "model names\t: x\n", nullptr, nullptr},
	    {"LoongArch", "Model Name\t\t: Loongson-3A6000\n", nullptr,
	     "Loongson-3A6000"},
	    {"RISC-V", "isa\t\t: rv64imafdc\nuarch\t\t: sifive,u74-mc\n",
	     nullptr, "sifive,u74-mc"},
	    {"RISC-V, named", "model name\t: Spacemit(R) X60\nuarch\t: x\n",
	     nullptr, "Spacemit(R) X60"},
	    {"s390x",
	     "vendor_id       : IBM/S390\n"
	     "processor 0: version = FF,  machine = 8561\n",
	     nullptr, nullptr},
	    {"a NUL byte", std::string("model name\t: AMD\0EPYC\n", 23),
	     nullptr, nullptr},
	    {"arm64",
	     "processor\t: 0\nBogoMIPS\t: 108.00\n" ARM_LINES("0x41", "0x0",
	                                                      "0xd08", "3"),
	     nullptr, "ARM Cortex-A72 r0p3"},
	    {"a vendor kernel's model name",
	     "model name\t: ARMv8 Processor rev 1 (v8l)\n" ARM_LINES(
	         "0x4e", "0x0", "0x004", "0"),
	     nullptr, "NVIDIA Carmel r0p0"},
	    {"32-bit ARM",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n" ARM_LINES(
	         "0x41", "0x0", "0xc07", "5"),
	     nullptr, "ARM Cortex-A7 r0p5"},
	    {"a part not named", ARM_LINES("0x48", "0x1", "0xd02", "0"),
	     nullptr, "HiSilicon Unknown CPU r1p0 (midr: 481fd020)"},
	    {"an implementer not named", ARM_LINES("0x99", "0x0", "0x123", "3"),
	     nullptr, "Unknown Implementer (midr: 990f1233)"},
	    {"ID lines after every processor",
	     "Processor\t: ARMv7 Processor rev 9 (v7l)\nprocessor\t: 0\n\n"
	     "processor\t: 1\n\n" ARM_LINES("0x41", "0x2", "0xc09", "9"),
	     nullptr, "ARM Cortex-A9 r2p9"},
	    {"the register in sysfs", ARM_LINES("0x41", "0x0", "0xd03", "4"),
	     "0x00000000410fd083\n", "ARM Cortex-A72 r0p3"},
	    {"ID lines cut short",
	     "model name\t: ARMv7 Processor rev 5 (v7l)\n"
	     "CPU implementer\t: 0x41\n",
	     nullptr, "ARMv7 Processor rev 5 (v7l)"},
	    {"a part out of range", ARM_LINES("0x41", "0x0", "0x1000", "0"),
	     nullptr, nullptr},
	    {"a part out of range, a model name after it",
	     ARM_LINES("0x41", "0x0", "0x1000", "0") "model name\t: Generic\n",
	     nullptr, "Generic"},
	    {"POWER9",
	     "cpu\t\t: POWER9, altivec supported\n"
	     "revision\t: 2.2 (pvr 004e 1202)\n",
	     nullptr, "IBM POWER9"},
	    {"POWER10",
	     "cpu\t\t: POWER10, altivec supported\n"
	     "revision\t: 2.0 (pvr 0080 0200)\n",
	     nullptr, "IBM POWER10"},
	    {"POWER8E, raw",
	     "cpu\t\t: POWER8E (raw), altivec supported\n"
	     "revision\t: 2.1 (pvr 004b 0201)\n",
	     nullptr, "IBM POWER8E"},
	    {"PowerMac G3",
	     "cpu\t\t: 740/750\nrevision\t: 2.2 (pvr 0008 0202)\n", nullptr,
	     "Motorola PowerPC 750"},
	    {"PowerBook G4",
	     "cpu\t\t: 7447A, altivec supported\n"
	     "revision\t: 1.2 (pvr 8003 0102)\n",
	     nullptr, "Motorola PowerPC 7447A"},
	    {"e500v2", "cpu\t\t: e500v2\nrevision\t: 2.1 (pvr 8021 0021)\n",
	     nullptr, "Freescale e500v2 core"},
	    {"Cell",
	     "cpu\t\t: Cell Broadband Engine, altivec supported\n"
	     "revision\t: 5.1 (pvr 0070 0501)\n",
	     nullptr, "IBM Cell Broadband Engine"},
	    {"a PowerPC FreeBSD does not name",
	     "cpu\t\t: e300c3\nrevision\t: 2.0 (pvr 8085 0020)\n", nullptr,
	     nullptr},
	};
	for (const auto &test : cases) {
		std::string cpuinfo = write_file("cpuinfo", test.text);
		std::string midr = dir + "/midr_el1";
		unlink(midr.c_str());
		if (test.midr != nullptr)
			write_file("midr_el1", test.midr);
		EXPECT_EQ(name_of(cpuinfo, midr),
		          test.name != nullptr ? test.name : "(none)")
		    << test.what;
	}
}

/* Whatever the register file holds, only a register counts. */
TEST_F(Cpuinfo, IdentificationRegisterFile)
{
	const struct {
		const char *text;
		const char *name;
	} cases[] = {
	    {"0x00000000410fd083\n", "ARM Cortex-A72 r0p3"},
	    {"0x00000000611f0221", "Apple M1 Icestorm r1p1"},
	    {"0x0000000100000000\n", "ARM Cortex-A53 r0p4"},
	    {"0x\n", "ARM Cortex-A53 r0p4"},
	    {"410fd083\n", "ARM Cortex-A53 r0p4"},
	    {"0x00000000410fd083\n0x00000000410fd083\n", "ARM Cortex-A53 r0p4"},
	    {"", "ARM Cortex-A53 r0p4"},
	};
	std::string cpuinfo =
	    write_file("cpuinfo", ARM_LINES("0x41", "0x0", "0xd03", "4"));
	for (const auto &test : cases) {
		write_file("midr_el1", test.text);
		EXPECT_EQ(name_of(cpuinfo, dir + "/midr_el1"), test.name)
		    << test.text;
	}
}

} // namespace
