#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# The parsing of tests/freebsd_checks.sh, which runs on FreeBSD, checked here
# with FreeBSD's own output recorded from a FreeBSD 14.1 amd64 system: its
# sysctl and ps lines and a report of the program, whose rows the checks
# read.  Also reads the whole script as sh -n does.
# Usage: freebsd_parsing_test.sh path/to/golden/report.txt
set -u
here=$(dirname "$0")
passed=0
failed=0
expect() {
	if [ "$2" = "$3" ]; then
		passed=$((passed + 1))
	else
		failed=$((failed + 1))
		echo "FAIL: $1: expected '$2', seen '$3'"
	fi
}

if sh -n "$here/freebsd_checks.sh"; then
	passed=$((passed + 1))
else
	failed=$((failed + 1))
	echo "FAIL: sh -n freebsd_checks.sh"
fi

# What sysctl -n and ps ax -o pid= print on that system.
sysctl() {
	case "$*" in
	"-n kern.boottime") echo "{ sec = 1733836800, usec = 52311 } Tue Dec 10 13:20:00 2024" ;;
	"-n hw.physmem") echo 8544411648 ;;
	"-n hw.pagesize") echo 4096 ;;
	"-n vm.stats.vm.v_free_count") echo 1843421 ;;
	"-n hw.model") echo "Intel(R) Xeon(R) CPU E5-2690 v4 @ 2.60GHz" ;;
	*) return 1 ;;
	esac
}
ps() {
	printf '%5s\n' 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 72 74 \
		782 801 850 851 907 912 1013 1044 1045 1051
}

FREEBSD_CHECKS_FUNCTIONS_ONLY=1
. "$here/freebsd_checks.sh"

expect "kern.boottime" 1733836800 "$(boot_seconds)"
# 8544411648 >> 20 = 8148; 1843421 pages of 4096 bytes >> 20 = 7200.
expect "memory in use" 948 "$(used_mib)"
expect "processes" 31 "$(process_count)"
expect "CPU row" "Intel(R) Xeon(R) CPU E5-2690 v4 @ 2.60GHz" "$(cpu_row)"
for case in "0 0:00" "59 0:00" "61 0:01" "3599 1:00" "86399 1 day 0:00" \
	"172800 2 days 0:00" "90061 1 day 1:01"; do
	expect "uptime of ${case%% *} s" "${case#* }" "$(uptime_text "${case%% *}")"
done

# The rows of a report, as the golden report through the fake platform
# shows a FreeBSD machine.
report=$1
expect "Hostname" testhost.example.org "$(value Hostname "$report")"
expect "OS" "FreeBSD amd64" "$(value OS "$report")"
expect "Processes" 42 "$(value Processes "$report")"
expect "RAM" "312M / 512M" "$(value RAM "$report")"
expect "Shell" zsh "$(value Shell "$report")"
expect "Uptime" "1 day 1:01" "$(value Uptime "$report")"
expect "a missing label" "(no label)" "$(value Swap "$report")"
printf '\033[1;31mCPU:\033[0;0m \n' >"${TMPDIR:-/tmp}/sysfacts-bare-label.$$"
expect "a bare label" "" "$(value CPU "${TMPDIR:-/tmp}/sysfacts-bare-label.$$")"
rm -f "${TMPDIR:-/tmp}/sysfacts-bare-label.$$"
expect "line feeds" 22 "$(line_feeds "$report")"

echo "freebsd_parsing_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
