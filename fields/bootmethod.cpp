// SPDX-License-Identifier: BSD-2-Clause
/*
 * Bootmethod: how the machine was started, from machdep.bootmethod ("BIOS"
 * or "UEFI" on FreeBSD; Linux answers from /sys/firmware/efi).
 */
#include "fields.h"

int print_bootmethod()
{
	return print_collapsed_sysctl(FIXED_LABEL("Bootmethod"),
	                              "machdep.bootmethod");
}
