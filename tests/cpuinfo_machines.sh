#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program with the /proc/cpuinfo of each of a folder of real
# machines bound over its own, in a private mount namespace, and prints the
# CPU row each gives, one line a machine, so that a reader sees them all at
# a glance.  The files are named <arch>-<machine>.txt; the row must name the
# processor as FreeBSD would on that architecture: by its register on ARM,
# "IBM ..." on POWER, nothing on s390x (whose kernel names none), and
# elsewhere the kernel's own model name, or a RISC-V core's "uarch", or
# nothing where the kernel prints neither.
# Usage: cpuinfo_machines.sh path/to/sysfacts [folder]
# Without a folder it looks in shared/cpuinfo beside the project.  Exits 77
# when there is none or no namespace.
set -u
program=$1
. "$(dirname "$0")/surroundings.sh"
folder=$(shared_folder cpuinfo '*-*.txt' "${2:-}") || exit 77
refused=$(private_mounts_refused)
if [ -n "$refused" ]; then
	echo "SKIP: cannot bind files over /proc: $refused"
	exit 77
fi

. "$root/tests/cpu_rules.sh"
failures=0
for file in "$folder"/*-*.txt; do
	machine=$(basename "$file" .txt)
	row=$(in_private_mounts "mount --bind '$file' /proc/cpuinfo" "$program" |
		sed -n 's/\x1b\[[0-9;]*m//g; s/^.*CPU: //p')
	printf '%-44s %s\n' "$machine" "${row:-(left out)}"
	# The form of the row by architecture, then the naming rules that
	# the checks of the real program share.
	case "$machine:$row" in
	arm*:* | ppc*:*) [ -n "$row" ] || {
		echo "FAIL: $machine: no name"
		failures=$((failures + 1))
	} ;;
	s390x*:?*) echo "FAIL: $machine: '$row', though s390x names none"
		failures=$((failures + 1)) ;;
	esac
	cpu_row_fits "$file" "$row" || {
		echo "FAIL: $machine: '$row', not '$(kernel_cpu_name "$file")'"
		failures=$((failures + 1))
	}
done
[ "$failures" -eq 0 ] || exit 1
echo "cpuinfo_machines: every row names its processor as FreeBSD would"
