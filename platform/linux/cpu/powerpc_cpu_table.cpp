// SPDX-License-Identifier: BSD-2-Clause
/*
 * The names FreeBSD's powerpc kernel gives its processors, by the version in
 * the processor version register: 32-bit Motorola and IBM PowerPCs (the G3
 * and G4 among them), the POWER and 970 families, Cell, and Freescale's
 * Book-E cores.
 */
#include "powerpc_cpu_table.h"

namespace platform::powerpc_cpu_table
{

const model MODELS[] = {
    {0x0001, "Motorola PowerPC 601"},
    {0x0003, "Motorola PowerPC 603"},
    {0x0004, "Motorola PowerPC 604"},
    {0x0005, "Motorola PowerPC 602"},
    {0x0006, "Motorola PowerPC 603e"},
    {0x0007, "Motorola PowerPC 603ev"},
    {0x0008, "Motorola PowerPC 750"},
    {0x0009, "Motorola PowerPC 604ev"},
    {0x000C, "Motorola PowerPC 7400"},
    {0x0014, "Motorola PowerPC 620"},
    {0x0035, "IBM POWER4"},
    {0x0038, "IBM POWER4+"},
    {0x0039, "IBM PowerPC 970"},
    {0x003A, "IBM POWER5"},
    {0x003B, "IBM POWER5+"},
    {0x003C, "IBM PowerPC 970FX"},
    {0x003E, "IBM POWER6"},
    {0x003F, "IBM POWER7"},
    {0x0044, "IBM PowerPC 970MP"},
    {0x0045, "IBM PowerPC 970GX"},
    {0x004A, "IBM POWER7+"},
    {0x004B, "IBM POWER8E"},
    {0x004C, "IBM POWER8NVL"},
    {0x004D, "IBM POWER8"},
    {0x004E, "IBM POWER9"},
    {0x0070, "IBM Cell Broadband Engine"},
    {0x0081, "Motorola PowerPC 8240"},
    {0x7000, "IBM PowerPC 750FX"},
    {0x8000, "Motorola PowerPC 7450"},
    {0x8001, "Motorola PowerPC 7455"},
    {0x8002, "Motorola PowerPC 7457"},
    {0x8003, "Motorola PowerPC 7447A"},
    {0x8004, "Motorola PowerPC 7448"},
    {0x800C, "Motorola PowerPC 7410"},
    {0x8020, "Freescale e500v1 core"},
    {0x8021, "Freescale e500v2 core"},
    {0x8023, "Freescale e500mc core"},
    {0x8024, "Freescale e5500 core"},
    {0x8040, "Freescale e6500 core"},
    {0x8081, "Motorola PowerPC 8245"},
};
const std::size_t MODEL_COUNT = sizeof(MODELS) / sizeof(MODELS[0]);

} // namespace platform::powerpc_cpu_table
