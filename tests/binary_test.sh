#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program on this machine and checks its report against
# readings taken independently: hostname, uname, /proc/meminfo, /proc/uptime.
# Usage: binary_test.sh path/to/sysfacts
set -u
program=$1
golden=/dev/null
. "$(dirname "$0")/report_checks.sh"

uptime_before=$(expected_uptime)
SHELL=/usr/local/bin/testsh "$program" >"$work/out" 2>"$work/err"
status=$?
uptime_after=$(expected_uptime)

[ "$status" -eq 0 ] || fail "exit status $status"
[ -s "$work/err" ] && fail "standard error: $(head -c 200 "$work/err")"
[ "$(head -c 2 "$work/out" | od -An -c | tr -d ' ')" = '\n\n' ] ||
	fail "the report does not open with two line feeds"
line_feeds=$(tr -cd '\n' <"$work/out" | wc -c)
[ "$line_feeds" -eq 22 ] || fail "$line_feeds line feeds, not 22"

sed 's/\x1b\[[0-9;]*m//g' "$work/out" >"$work/plain"

# Checks that the field after a label reads as expected.
field() {
	label=$1
	expected=$2
	actual=$(sed -n "s/^.*$label: //p" "$work/plain")
	[ "$actual" = "$expected" ] ||
		fail "$label: got '$actual', expected '$expected'"
}

field Hostname "$(uname -n)"
field OS "$(uname -s) $(uname -m)"
field Version "$(uname -r)"
field Shell testsh
field CPU "$expected_cpu"
total=$(awk '/^MemTotal:/ { print int($2 / 1024) }' /proc/meminfo)
ram=$(sed -n 's/^.*RAM: //p' "$work/plain")
case "$ram" in
*" / ${total}M") ;;
*) fail "RAM: got '$ram', expected a total of ${total}M" ;;
esac
uptime=$(sed -n 's/^.*Uptime: //p' "$work/plain")
[ "$uptime" = "$uptime_before" ] || [ "$uptime" = "$uptime_after" ] ||
	fail "Uptime: got '$uptime', expected '$uptime_before'"
processes=$(sed -n 's/^.*Processes: //p' "$work/plain")
ours=$(ls /proc | grep -c '^[0-9][0-9]*$')
[ "$processes" -gt 0 ] && [ $((processes - ours)) -le 10 ] &&
	[ $((ours - processes)) -le 10 ] ||
	fail "Processes: got '$processes', /proc has $ours"

if [ "$failures" -eq 0 ]; then
	echo "binary_test: the report matches this machine"
	exit 0
fi
exit 1
