// SPDX-License-Identifier: BSD-2-Clause
/*
 * Bootmethod: how the machine was started, from machdep.bootmethod ("BIOS"
 * or "UEFI" on FreeBSD; Linux answers from /sys/firmware/efi).
 */
#include "fields.h"
#include "output.h"

bool print_bootmethod()
{
	output_text(FIXED_LABEL("Bootmethod"));
	return print_sysctl_text("machdep.bootmethod", true);
}
