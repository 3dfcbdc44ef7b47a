# SPDX-License-Identifier: BSD-2-Clause
# Checks shared by the scripts that run the built program: the frame of the
# report and the truth of every fact it shows, against readings taken
# independently of the program (uname, /proc, /sys).  Sourced, not run; the
# caller sets $program and $golden (the golden report, for the picture's
# rows) and ends with a status from $failures.

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
	echo "FAIL: $*"
	failures=$((failures + 1))
}

# The facts as this machine states them.  A test that changes what the
# program sees (a UTS namespace, a file bound over /proc) sets the expected_*
# variable of that fact to match.
expected_host=$(uname -n)
expected_os="$(uname -s) $(uname -m)"
expected_version=$(uname -r)
. "$(dirname "$0")/cpu_rules.sh"
# The cpuinfo text whose processor the CPU row names; empty where it cannot
# be read from here (under a user-mode emulator that shows the program a
# cpuinfo of its own).
expected_cpuinfo=/proc/cpuinfo
expected_total=$(awk '/^MemTotal:/ { print int($2 / 1024) "M" }' /proc/meminfo)
SHELL=/bin/sh
export SHELL
expected_shell=sh
# Prints what the Bootmethod row may show for the firmware directory $1.
boot_method_of() {
	if [ -e "$1/efi" ]; then
		echo UEFI
	elif [ -e "$1/memmap" ] || [ -e "$1/acpi" ]; then
		echo BIOS
	fi
}
expected_boot=$(boot_method_of /sys/firmware)

# Runs the program with the arguments as its command, standard output to
# $work/out and standard error to $work/err, and keeps its exit status.
run() {
	"$@" >"$work/out" 2>"$work/err"
	status=$?
}

# Checks the exit status and standard error of the last run, named $1.
check_quiet() {
	[ "$status" -eq 0 ] || fail "$1: exit status $status"
	[ -s "$work/err" ] && fail "$1: standard error: $(head -c 200 "$work/err")"
}

# Checks that the last run wrote the whole frame: 22 line feeds, the picture
# rows byte for byte, and on rows 1 to 9 nothing but a label after the row
# (the Uptime row may be bare).  Leaves the report as plain text in
# $work/plain.
check_frame() {
	line_feeds=$(tr -cd '\n' <"$work/out" | wc -c)
	[ "$line_feeds" -eq 22 ] || fail "$1: $line_feeds line feeds, not 22"
	awk -v name="$1" -v label="$(printf '\033[1;31m')" '
		NR == FNR {
			row = FNR - 3
			at = index($0, label)
			picture[row] = at > 0 ? substr($0, 1, at - 1) : $0
			next
		}
		{
			row = FNR - 3
			if (row < 0 || row > 17) {
				if ($0 != "")
					bad = bad " line " FNR
				next
			}
			n = length(picture[row])
			if (substr($0, 1, n) != picture[row])
				bad = bad " row " row
			else if (row < 1 || row > 9) {
				if (length($0) != n)
					bad = bad " row " row
			} else if (length($0) > n &&
			    index(substr($0, n + 1), label) != 1)
				bad = bad " row " row
		}
		END { if (bad != "") print name ": the frame differs at" bad }
	' "$golden" "$work/out" >"$work/frame"
	[ -s "$work/frame" ] && fail "$(cat "$work/frame")"
	sed 's/\x1b\[[0-9;]*m//g' "$work/out" >"$work/plain"
}

# Prints the text after a label in the last run's report, or "(absent)" when
# the label is not there.
field() {
	sed -n "s/^.*$1: //p" "$work/plain" | grep -a . || {
		grep -aq "$1: " "$work/plain" || echo "(absent)"
	}
}

# Checks that a field shows either nothing or the expected text.
check_field() {
	actual=$(field "$2")
	[ -z "$actual" ] || [ "$actual" = "$3" ] ||
		fail "$1: $2 shows '$actual', not '$3'"
}

# Prints the uptime as the report writes it, from /proc/uptime.
expected_uptime() {
	awk '{ s = int($1); if (s > 60) s += 30
	       d = int(s / 86400); r = s % 86400
	       h = int(r / 3600); m = int((r % 3600) / 60)
	       out = ""
	       if (d > 0) out = d " day" (d == 1 ? "" : "s") " "
	       out = out sprintf("%d:%02d", h, m)
	       print out }' /proc/uptime
}

# Prints the number of processes in /proc.
count_processes() {
	ls /proc | grep -c '^[0-9][0-9]*$'
}

# Takes the readings that change while the program runs, just before and
# just after it: the uptime and the number of processes.
read_before() {
	processes_before=$(count_processes)
	before=$(expected_uptime)
}
read_after() {
	after=$(expected_uptime)
	processes_after=$(count_processes)
}

# Checks that every fact the last run shows is true; a fact may be left
# out.  $1 names the run, $2 and $3 are the uptimes read before and after it,
# and read_before and read_after have counted the processes.
check_facts() {
	check_frame "$1"
	check_field "$1" Hostname "$expected_host"
	check_field "$1" Bootmethod "$expected_boot"
	check_field "$1" Version "$expected_version"
	cpu=$(field CPU)
	[ -z "$cpu" ] || [ -z "$expected_cpuinfo" ] ||
		cpu_row_fits "$expected_cpuinfo" "$cpu" ||
		fail "$1: CPU shows '$cpu', not the processor of $expected_cpuinfo"
	check_field "$1" Shell "$expected_shell"
	os=$(field OS)
	case "$os" in
	"$expected_os" | "${expected_os%% *} " | " ${expected_os#* }" | " ") ;;
	*) fail "$1: OS shows '$os', not '$expected_os'" ;;
	esac
	ram=$(field RAM)
	used=${ram%%M / *}
	total=${ram#* / }
	case "$used" in
	'') ;;
	*[!0-9]*) fail "$1: RAM shows '$ram'" ;;
	*)
		[ "$total" = "$expected_total" ] ||
			fail "$1: RAM shows '$ram', not a total of $expected_total"
		[ "$used" -le "${total%M}" ] 2>/dev/null ||
			fail "$1: RAM shows more in use than in total: '$ram'"
		;;
	esac
	# The count is left out when it cannot be read, and is never 0: the
	# program itself is running.  Other work starts and ends processes
	# while it runs, so it must lie between the counts taken before and
	# after, give or take the few processes of the run and the reading.
	processes=$(field Processes)
	case "$processes" in
	'') ;;
	*[!0-9]* | 0) fail "$1: Processes shows '$processes'" ;;
	*)
		low=$((processes_before < processes_after ? processes_before : processes_after))
		high=$((processes_before > processes_after ? processes_before : processes_after))
		[ "$processes" -ge $((low - 5)) ] && [ "$processes" -le $((high + 5)) ] ||
			fail "$1: Processes shows $processes, /proc had $processes_before before and $processes_after after"
		;;
	esac
	uptime=$(sed -n 's/^.*Uptime: //p' "$work/plain")
	[ -z "$uptime" ] || [ "$uptime" = "$2" ] || [ "$uptime" = "$3" ] ||
		fail "$1: Uptime shows '$uptime', not '$2'"
}

# Runs the program, named $1, with the command that follows, and checks that
# it was quiet and that every fact it showed is true.
run_and_check() {
	name=$1
	shift
	read_before
	run "$@"
	read_after
	check_quiet "$name"
	check_facts "$name" "$before" "$after"
}
