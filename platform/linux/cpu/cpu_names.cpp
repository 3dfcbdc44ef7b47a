// SPDX-License-Identifier: BSD-2-Clause
/*
 * Naming processors as FreeBSD does, from two tables of data: ARM cores by
 * the fields of their identification register (MIDR), as arm64 identcpu.c
 * writes "ARM Cortex-A72 r0p3", with FreeBSD's names and then, for cores
 * FreeBSD does not name, Linux's and lscpu's in the same style; PowerPCs
 * by version (the G3 and G4, POWER, 970, Cell and Book-E cores among them).
 */
#include "facts.h"

#include <cstdio>
#include <cstring>

namespace
{

const struct {
	unsigned char code;
	const char *name;
} IMPLEMENTERS[] = {
    {0x41, "ARM"},     {0x42, "Broadcom"},  {0x43, "Cavium"},
    {0x44, "DEC"},     {0x46, "Fujitsu"},   {0x48, "HiSilicon"},
    {0x49, "IFX"},     {0x4D, "Freescale"}, {0x4E, "NVIDIA"},
    {0x50, "APM"},     {0x51, "Qualcomm"},  {0x53, "Samsung"},
    {0x56, "Marvell"}, {0x61, "Apple"},     {0x66, "Faraday"},
    {0x69, "Intel"},   {0x6D, "Microsoft"}, {0x70, "Phytium"},
    {0xC0, "Ampere"},
};

// clang-format off
const struct {
	unsigned char implementer;
	unsigned short number;
	const char *name;
} PARTS[] = {
    {0x41, 0xB02, "ARM11 MPCore"}, {0x41, 0xB36, "ARM1136"},
    {0x41, 0xB56, "ARM1156"}, {0x41, 0xB76, "ARM1176"},
    {0x41, 0xC05, "Cortex-A5"}, {0x41, 0xC07, "Cortex-A7"},
    {0x41, 0xC08, "Cortex-A8"}, {0x41, 0xC09, "Cortex-A9"},
    {0x41, 0xC0D, "Cortex-A12"}, {0x41, 0xC0E, "Cortex-A17"},
    {0x41, 0xC0F, "Cortex-A15"}, {0x41, 0xC11, "Cortex-A17"},
    {0x41, 0xD00, "Foundation-Model"}, {0x41, 0xD01, "Cortex-A32"},
    {0x41, 0xD02, "Cortex-A34"}, {0x41, 0xD03, "Cortex-A53"},
    {0x41, 0xD04, "Cortex-A35"}, {0x41, 0xD05, "Cortex-A55"},
    {0x41, 0xD06, "Cortex-A65"}, {0x41, 0xD07, "Cortex-A57"},
    {0x41, 0xD08, "Cortex-A72"}, {0x41, 0xD09, "Cortex-A73"},
    {0x41, 0xD0A, "Cortex-A75"}, {0x41, 0xD0B, "Cortex-A76"},
    {0x41, 0xD0C, "Neoverse-N1"}, {0x41, 0xD0D, "Cortex-A77"},
    {0x41, 0xD0E, "Cortex-A76AE"}, {0x41, 0xD0F, "AEMv8"},
    {0x41, 0xD13, "Cortex-R52"}, {0x41, 0xD15, "Cortex-R82"},
    {0x41, 0xD40, "Neoverse-V1"}, {0x41, 0xD41, "Cortex-A78"},
    {0x41, 0xD42, "Cortex-A78AE"}, {0x41, 0xD43, "Cortex-A65AE"},
    {0x41, 0xD44, "Cortex-X1"}, {0x41, 0xD46, "Cortex-A510"},
    {0x41, 0xD47, "Cortex-A710"}, {0x41, 0xD48, "Cortex-X2"},
    {0x41, 0xD49, "Neoverse-N2"}, {0x41, 0xD4A, "Neoverse-E1"},
    {0x41, 0xD4B, "Cortex-A78C"}, {0x41, 0xD4C, "Cortex-X1C"},
    {0x41, 0xD4D, "Cortex-A715"}, {0x41, 0xD4E, "Cortex-X3"},
    {0x41, 0xD4F, "Neoverse-V2"}, {0x41, 0xD80, "Cortex-A520"},
    {0x41, 0xD81, "Cortex-A720"}, {0x41, 0xD82, "Cortex-X4"},
    {0x41, 0xD83, "Neoverse-V3AE"}, {0x41, 0xD84, "Neoverse-V3"},
    {0x41, 0xD85, "Cortex-X925"}, {0x41, 0xD87, "Cortex-A725"},
    {0x41, 0xD8A, "C1-Nano"}, {0x41, 0xD8B, "C1-Pro"},
    {0x41, 0xD8C, "C1-Ultra"}, {0x41, 0xD8E, "Neoverse-N3"},
    {0x41, 0xD90, "C1-Premium"}, {0x42, 0x00F, "Brahma-B15"},
    {0x42, 0x100, "Brahma-B53"}, {0x42, 0x516, "Vulcan (ThunderX2)"},
    {0x43, 0x0A0, "ThunderX"}, {0x43, 0x0A1, "ThunderX"},
    {0x43, 0x0A2, "ThunderX-81XX"}, {0x43, 0x0A3, "ThunderX-83XX"},
    {0x43, 0x0AF, "ThunderX2"}, {0x43, 0x0B0, "OcteonTX2"},
    {0x43, 0x0B1, "OcteonTX2-98XX"}, {0x43, 0x0B2, "OcteonTX2-96XX"},
    {0x43, 0x0B3, "OcteonTX2-95XX"}, {0x43, 0x0B4, "OcteonTX2-95XXN"},
    {0x43, 0x0B5, "OcteonTX2-95XXMM"}, {0x43, 0x0B6, "OcteonTX2-95XXO"},
    {0x43, 0x0B8, "ThunderX3-T110"}, {0x46, 0x001, "A64FX"},
    {0x48, 0xD01, "Kunpeng-920 (TSV110)"}, {0x48, 0xD40, "Cortex-A76"},
    {0x4E, 0x000, "Denver"}, {0x4E, 0x003, "Denver 2"}, {0x4E, 0x004, "Carmel"},
    {0x4E, 0x010, "Olympus"}, {0x50, 0x000, "eMAG 8180"},
    {0x51, 0x001, "Oryon X1"}, {0x51, 0x00F, "Scorpion"},
    {0x51, 0x02D, "Scorpion"}, {0x51, 0x04D, "Krait"},
    {0x51, 0x06F, "Krait 300"}, {0x51, 0x201, "Kryo"}, {0x51, 0x205, "Kryo"},
    {0x51, 0x211, "Kryo"}, {0x51, 0x800, "Falkor-V1/Kryo"},
    {0x51, 0x801, "Kryo-V2"}, {0x51, 0x802, "Kryo 300 Gold"},
    {0x51, 0x803, "Kryo 300 Silver"}, {0x51, 0x804, "Kryo 400 Gold"},
    {0x51, 0x805, "Kryo 400 Silver"}, {0x51, 0xC00, "Falkor"},
    {0x51, 0xC01, "Saphira"}, {0x53, 0x001, "Exynos-M1"},
    {0x53, 0x002, "Exynos-M3"}, {0x53, 0x003, "Exynos-M4"},
    {0x53, 0x004, "Exynos-M5"}, {0x56, 0x131, "Feroceon-88FR131"},
    {0x56, 0x581, "PJ4 v7"}, {0x56, 0x584, "PJ4MP v7"},
    {0x61, 0x020, "A14 Icestorm"}, {0x61, 0x021, "A14 Firestorm"},
    {0x61, 0x022, "M1 Icestorm"}, {0x61, 0x023, "M1 Firestorm"},
    {0x61, 0x024, "M1 Pro Icestorm"}, {0x61, 0x025, "M1 Pro Firestorm"},
    {0x61, 0x028, "M1 Max Icestorm"}, {0x61, 0x029, "M1 Max Firestorm"},
    {0x61, 0x030, "A15 Blizzard"}, {0x61, 0x031, "A15 Avalanche"},
    {0x61, 0x032, "M2 Blizzard"}, {0x61, 0x033, "M2 Avalanche"},
    {0x61, 0x034, "M2 Pro Blizzard"}, {0x61, 0x035, "M2 Pro Avalanche"},
    {0x61, 0x038, "M2 Max Blizzard"}, {0x61, 0x039, "M2 Max Avalanche"},
    {0x66, 0x526, "FA526"}, {0x66, 0x626, "FA626"},
    {0x6D, 0xD49, "Azure Cobalt 100"}, {0x70, 0x660, "FTC660"},
    {0x70, 0x661, "FTC661"}, {0x70, 0x662, "FTC662"}, {0x70, 0x663, "FTC663"},
    {0xC0, 0xAC3, "AmpereOne AC03"}, {0xC0, 0xAC4, "AmpereOne AC04"},
};
// clang-format on

// clang-format off
const struct {
	unsigned short version;
	const char *name;
} POWERPC_MODELS[] = {
    {0x0001, "Motorola PowerPC 601"}, {0x0003, "Motorola PowerPC 603"},
    {0x0004, "Motorola PowerPC 604"}, {0x0005, "Motorola PowerPC 602"},
    {0x0006, "Motorola PowerPC 603e"}, {0x0007, "Motorola PowerPC 603ev"},
    {0x0008, "Motorola PowerPC 750"}, {0x0009, "Motorola PowerPC 604ev"},
    {0x000C, "Motorola PowerPC 7400"}, {0x0014, "Motorola PowerPC 620"},
    {0x0035, "IBM POWER4"}, {0x0038, "IBM POWER4+"},
    {0x0039, "IBM PowerPC 970"}, {0x003A, "IBM POWER5"},
    {0x003B, "IBM POWER5+"}, {0x003C, "IBM PowerPC 970FX"},
    {0x003E, "IBM POWER6"}, {0x003F, "IBM POWER7"},
    {0x0044, "IBM PowerPC 970MP"}, {0x0045, "IBM PowerPC 970GX"},
    {0x004A, "IBM POWER7+"}, {0x004B, "IBM POWER8E"}, {0x004C, "IBM POWER8NVL"},
    {0x004D, "IBM POWER8"}, {0x004E, "IBM POWER9"},
    {0x0070, "IBM Cell Broadband Engine"}, {0x0081, "Motorola PowerPC 8240"},
    {0x7000, "IBM PowerPC 750FX"}, {0x8000, "Motorola PowerPC 7450"},
    {0x8001, "Motorola PowerPC 7455"}, {0x8002, "Motorola PowerPC 7457"},
    {0x8003, "Motorola PowerPC 7447A"}, {0x8004, "Motorola PowerPC 7448"},
    {0x800C, "Motorola PowerPC 7410"}, {0x8020, "Freescale e500v1 core"},
    {0x8021, "Freescale e500v2 core"}, {0x8023, "Freescale e500mc core"},
    {0x8024, "Freescale e5500 core"}, {0x8040, "Freescale e6500 core"},
    {0x8081, "Motorola PowerPC 8245"},
};
// clang-format on

} // namespace

/* Names an ARM processor by its identification register, as identcpu.c. */
std::size_t platform::linux_facts::arm_name(std::uint32_t midr, char *name,
                                            std::size_t size)
{
	unsigned implementer = midr >> 24;
	unsigned variant = (midr >> 20) & 0xf;
	unsigned part = (midr >> 4) & 0xfff;
	unsigned revision = midr & 0xf;
	const char *maker = nullptr;
	const char *core = nullptr;
	/* Plain loops to the first match, as identcpu.c scans its tables. */
	for (const auto &entry : IMPLEMENTERS)
		if (maker == nullptr && entry.code == implementer)
			maker = entry.name; // cppcheck-suppress useStlAlgorithm
	for (const auto &entry : PARTS)
		if (core == nullptr && entry.implementer == implementer &&
		    entry.number == part)
			core = entry.name; // cppcheck-suppress useStlAlgorithm
	int written;
	if (maker == nullptr)
		written = std::snprintf(name, size,
		                        "Unknown Implementer (midr: %08x)",
		                        unsigned(midr));
	else if (core == nullptr)
		written = std::snprintf(
		    name, size, "%s Unknown CPU r%up%u (midr: %08x)", maker,
		    variant, revision, unsigned(midr));
	else
		written = std::snprintf(name, size, "%s %s r%up%u", maker, core,
		                        variant, revision);
	return written > 0 ? std::size_t(written) : 0;
}

/*
 * A PowerPC processor has FreeBSD's name for its version or, where it is a
 * POWER processor newer than the table, "IBM " and the first word of its
 * cpu line, "cpu\t: POWER10, altivec supported".
 */
std::size_t platform::linux_facts::powerpc_name(unsigned version,
                                                const char *cpu,
                                                std::size_t cpu_length,
                                                char *name, std::size_t size)
{
	for (const auto &entry : POWERPC_MODELS)
		// cppcheck-suppress useStlAlgorithm
		if (entry.version == version)
			return std::size_t(
			    std::snprintf(name, size, "%s", entry.name));
	std::size_t word = 0;
	while (word < cpu_length && cpu[word] != ',' && cpu[word] != ' ')
		word++;
	if (word <= 5 || std::memcmp(cpu, "POWER", 5) != 0 ||
	    word > size - sizeof("IBM "))
		return 0;
	return std::size_t(
	    std::snprintf(name, size, "IBM %.*s", int(word), cpu));
}
