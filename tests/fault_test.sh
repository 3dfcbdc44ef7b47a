#!/bin/sh
# Runs the built program under the faults a shell start-up can meet: standard
# output full or closed, an empty or hostile environment, /proc hidden.  Each
# run must exit 0 with nothing on standard error and, wherever standard
# output can be written, a whole report.
# Usage: fault_test.sh path/to/sysfacts
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
skipped=0

fail() {
	echo "FAIL: $*"
	failures=$((failures + 1))
}

# Checks the exit status and standard error of the last run, named $1.
check_quiet() {
	[ "$status" -eq 0 ] || fail "$1: exit status $status"
	[ -s "$work/err" ] && fail "$1: standard error: $(head -c 200 "$work/err")"
}

# Checks that the last run wrote a whole report, and makes it plain text.
check_whole() {
	line_feeds=$(tr -cd '\n' <"$work/out" | wc -c)
	[ "$line_feeds" -eq 22 ] || fail "$1: $line_feeds line feeds, not 22"
	rows=$(grep -c '38;5;' "$work/out")
	[ "$rows" -eq 18 ] || fail "$1: $rows picture rows, not 18"
	sed 's/\x1b\[[0-9;]*m//g' "$work/out" >"$work/plain"
}

# Prints the text after a label in the last run's report.
field() {
	sed -n "s/^.*$1: //p" "$work/plain"
}

"$program" >/dev/full 2>"$work/err"
status=$?
check_quiet "standard output full"

"$program" >&- 2>"$work/err"
status=$?
check_quiet "standard output closed"

# A reader that has gone before the report is written.
perl -e 'pipe(my $r, my $w) or die; close $r; open(STDOUT, ">&", $w) or die;
	exec @ARGV' "$program" 2>"$work/err"
status=$?
check_quiet "reader gone"

env -i "$program" >"$work/out" 2>"$work/err"
status=$?
check_quiet "empty environment"
check_whole "empty environment"
grep -q 'Shell:.\[0;0m $' "$work/out" ||
	fail "empty environment: the Shell row is not its label alone"

# Linux takes no environment string longer than 128 KiB (MAX_ARG_STRLEN), so
# the longest SHELL that can reach the program stands in for 1 MiB.
long=$(head -c 131000 /dev/zero | tr '\0' 'x')
SHELL="/bin/$long" "$program" >"$work/out" 2>"$work/err"
status=$?
check_quiet "long SHELL"
check_whole "long SHELL"
[ "$(field Shell)" = "$long" ] || fail "long SHELL: the name is not whole"
if SHELL="/bin/$long$long$long$long$long$long$long$long" /bin/true 2>/dev/null; then
	fail "long SHELL: the system took a SHELL over 1 MiB; test one"
fi

high=$(printf '/usr/bin/\200\377\303\251sh')
SHELL=$high "$program" >"$work/out" 2>"$work/err"
status=$?
check_quiet "SHELL with high bytes"
check_whole "SHELL with high bytes"
[ "$(field Shell)" = "$(printf '\200\377\303\251sh')" ] ||
	fail "SHELL with high bytes: the bytes did not pass unchanged"

# With /proc hidden under a tmpfs in a private mount namespace, the facts
# from /proc go missing and the rest stay.  AddressSanitizer's runtime needs
# /proc for itself, so a sanitized build cannot take this test.
if grep -aq __asan_init "$program"; then
	echo "SKIP: /proc hidden: the sanitizer runtime needs /proc"
	skipped=1
elif unshare -m sh -c 'mount -t tmpfs none /proc' 2>/dev/null; then
	unshare -m sh -c 'mount -t tmpfs none /proc && exec "$0"' "$program" \
		>"$work/out" 2>"$work/err"
	status=$?
	check_quiet "/proc hidden"
	check_whole "/proc hidden"
	[ "$(field Processes)" = 0 ] || fail "/proc hidden: Processes $(field Processes)"
	grep -q 'CPU:.\[0;0m $' "$work/out" ||
		fail "/proc hidden: the CPU row is not its label alone"
	case "$(field RAM)" in
	*-*) fail "/proc hidden: RAM $(field RAM)" ;;
	esac
	[ "$(field Hostname)" = "$(uname -n)" ] ||
		fail "/proc hidden: Hostname $(field Hostname)"
	[ "$(field Version)" = "$(uname -r)" ] ||
		fail "/proc hidden: Version $(field Version)"
	[ -n "$(field Uptime)" ] || fail "/proc hidden: no uptime"
else
	echo "SKIP: /proc hidden: cannot make a private mount namespace here" \
		"(needs root and unshare(2))"
	skipped=1
fi

[ "$failures" -eq 0 ] || exit 1
echo "fault_test: every run was quiet and exited 0"
[ "$skipped" -eq 0 ] || exit 77
exit 0
