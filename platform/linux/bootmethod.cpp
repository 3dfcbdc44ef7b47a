// SPDX-License-Identifier: BSD-2-Clause
/*
 * machdep.bootmethod, from what /sys/firmware shows of the firmware:
 * /sys/firmware/efi, /sys/firmware/memmap and /sys/firmware/acpi.
 */
#include "facts.h"

#include <cerrno>
#include <unistd.h>

namespace
{

/* Returns 1 when path exists, 0 when it does not, -1 when unknown. */
int firmware_entry(const char *path)
{
	if (access(path, F_OK) == 0)
		return 1;
	return errno == ENOENT ? 0 : -1;
}

} // namespace

/*
 * "UEFI" when the kernel shows EFI firmware, "BIOS" when /sys/firmware
 * shows a PC firmware (its memory map or ACPI tables) and no EFI.  Anything
 * else names neither: a /sys/firmware that a container has masked or
 * emptied, one that cannot be read, or a board described by a device tree.
 */
int platform::linux_facts::boot_method(void *oldp, std::size_t *oldlenp)
{
	int efi = firmware_entry("/sys/firmware/efi");
	if (efi > 0)
		return copy_string("UEFI", 4, oldp, oldlenp);
	if (efi == 0 && (firmware_entry("/sys/firmware/memmap") > 0 ||
	                 firmware_entry("/sys/firmware/acpi") > 0))
		return copy_string("BIOS", 4, oldp, oldlenp);
	return fail(ENOENT);
}
