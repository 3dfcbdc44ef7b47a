# SPDX-License-Identifier: BSD-2-Clause
# What the CPU row may show for a /proc/cpuinfo text, by the rules the
# program names processors by on Linux: by the identification register on
# ARM, by the processor version on PowerPC, and elsewhere by the kernel's own
# model name (its key in any case), or a RISC-V core's uarch, or nothing.
# Sourced, not run, by the scripts that check the CPU row.

# Prints the kernel's name for the processor of the cpuinfo file $1 as the
# row shows it: runs of spaces collapsed, C0 controls but tab as '?'.
kernel_cpu_name() {
	named=$(sed -n 's/^[Mm][Oo][Dd][Ee][Ll] [Nn][Aa][Mm][Ee][ \t]*: \{0,1\}//p' "$1" |
		head -n 1)
	[ -n "$named" ] ||
		named=$(sed -n 's/^uarch[ \t]*: \{0,1\}//p' "$1" | head -n 1)
	printf '%s' "$named" | tr -s ' ' | tr '\001-\010\013-\037\177' '?'
}

# Succeeds when $2 is what the CPU row may show for the cpuinfo file $1.
# ARM and PowerPC names are made from a table, so only their form is
# checked; a kernel's own name must be shown exactly.
cpu_row_fits() {
	if grep -q '^CPU implementer' "$1"; then
		case $2 in
		"Unknown Implementer (midr: "????????")") return 0 ;;
		*" r"[0-9]"p"[0-9] | *" r"[0-9]"p"[0-9]" (midr: "????????")") return 0 ;;
		*" r"[0-9]"p"[0-9][0-9] | *" r"[0-9][0-9]"p"[0-9]) return 0 ;;
		esac
	elif grep -q '^revision[ \t]*:.*(pvr ' "$1"; then
		case $2 in
		"IBM "?* | "Motorola "?* | "Freescale "?*) return 0 ;;
		esac
	fi
	[ "$2" = "$(kernel_cpu_name "$1")" ]
}
