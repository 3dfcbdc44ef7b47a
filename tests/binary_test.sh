#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program on this machine and checks its report against
# readings taken independently: uname, /proc/cpuinfo, /proc/meminfo,
# /proc/uptime.  Here every fact but the boot method must be shown.
# Usage: binary_test.sh path/to/sysfacts path/to/golden/report.txt
#        [emulator machine]
# A cross build gives the user-mode emulator that runs the program, and the
# machine that uname(2) reports under it.
set -u
program=$1
golden=$2
emulator=${3:-}
. "$(dirname "$0")/report_checks.sh"
# Debian 12's qemu-user (7.2) shows the program the host's /proc/cpuinfo, and
# newer ones (Debian 13's 10) one of the emulated machine, not readable here:
# there the CPU row is not checked, and it may be left out (s390x).
required="Hostname OS Version CPU RAM Processes Shell Uptime"
run env SHELL=/usr/local/bin/testsh $emulator "$program"
if [ -n "$emulator" ]; then
	required="Hostname OS Version RAM Processes Shell Uptime"
	check_run "this machine" shell=testsh os="$(uname -s) $4" cpuinfo=
else
	check_run "this machine" shell=testsh
fi
for label in $required; do
	[ -n "$(field "$label")" ] || fail "$label: not shown"
done
[ "$(field Processes)" != 0 ] || fail "Processes: 0"

if [ "$failures" -eq 0 ]; then
	echo "binary_test: the report matches this machine"
	exit 0
fi
exit 1
