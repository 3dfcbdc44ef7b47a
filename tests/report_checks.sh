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

# The facts as this machine states them.  A run that is shown something
# else (a UTS namespace, a file bound over /proc) says so to check_facts.
machine_host=$(uname -n)
machine_os="$(uname -s) $(uname -m)"
machine_version=$(uname -r)
. "$(dirname "$0")/surroundings.sh"
. "$root/tests/cpu_rules.sh"
machine_total=$(awk '/^MemTotal:/ { print int($2 / 1024) "M" }' /proc/meminfo)
SHELL=/bin/sh
export SHELL
machine_shell=sh
# Prints what the Bootmethod row may show for the firmware directory $1.
boot_method_of() {
	if [ -e "$1/efi" ]; then
		echo UEFI
	elif [ -e "$1/memmap" ] || [ -e "$1/acpi" ]; then
		echo BIOS
	fi
}
machine_boot=$(boot_method_of /sys/firmware)

# Runs the program with the arguments as its command, standard output to
# $work/out and standard error to $work/err, and keeps its exit status.  A
# command that is a program of this machine runs in a new PID namespace
# with a /proc of its own, where one can be made, so that the processes the
# report counts are known exactly: those of the command.  in_private_mounts
# makes one itself.  Elsewhere the readings that change while it runs, the
# number of processes and the uptime, are taken just before and after it.
own_pids="unshare --pid --fork --mount-proc"
$own_pids true 2>/dev/null || own_pids=
run() {
	counted=
	case "$1:$(command -v "$1")" in
	in_private_mounts:*) counted=exactly ;;
	*:/*) [ -z "$own_pids" ] || { set -- $own_pids "$@"; counted=exactly; } ;;
	esac
	[ -n "$counted" ] || processes_before=$(count_processes)
	uptime_before=$(expected_uptime)
	"$@" >"$work/out" 2>"$work/err"
	status=$?
	uptime_after=$(expected_uptime)
	[ -n "$counted" ] || processes_after=$(count_processes)
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

# Checks that every fact the last run shows is true; a fact may be left out.
# $1 names the run.  What the run was shown other than this machine's facts
# follows as FACT=TEXT: host, boot, os, total (the RAM total), shell,
# cpuinfo, the file whose processor the CPU row names, empty where it cannot
# be read from here (under a user-mode emulator that shows the program a
# cpuinfo of its own), and processes, how many the command runs at once
# (1 unless a wrapper such as timeout or strace waits for the program), or
# empty where that is not known.
check_facts() {
	name=$1
	shift
	want_host=$machine_host
	want_boot=$machine_boot
	want_os=$machine_os
	want_total=$machine_total
	want_shell=$machine_shell
	want_cpuinfo=/proc/cpuinfo
	want_processes=1
	for fact; do
		case "$fact" in
		host=*) want_host=${fact#*=} ;;
		boot=*) want_boot=${fact#*=} ;;
		os=*) want_os=${fact#*=} ;;
		total=*) want_total=${fact#*=} ;;
		shell=*) want_shell=${fact#*=} ;;
		cpuinfo=*) want_cpuinfo=${fact#*=} ;;
		processes=*) want_processes=${fact#*=} ;;
		*) fail "$name: no fact to expect in '$fact'" ;;
		esac
	done
	check_frame "$name"
	check_field "$name" Hostname "$want_host"
	check_field "$name" Bootmethod "$want_boot"
	check_field "$name" Version "$machine_version"
	cpu=$(field CPU)
	[ -z "$cpu" ] || [ -z "$want_cpuinfo" ] ||
		cpu_row_fits "$want_cpuinfo" "$cpu" ||
		fail "$name: CPU shows '$cpu', not the processor of $want_cpuinfo"
	check_field "$name" Shell "$want_shell"
	os=$(field OS)
	case "$os" in
	"$want_os" | "${want_os%% *} " | " ${want_os#* }" | " ") ;;
	*) fail "$name: OS shows '$os', not '$want_os'" ;;
	esac
	ram=$(field RAM)
	used=${ram%%M / *}
	total=${ram#* / }
	case "$used" in
	'') ;;
	*[!0-9]*) fail "$name: RAM shows '$ram'" ;;
	*)
		[ "$total" = "$want_total" ] ||
			fail "$name: RAM shows '$ram', not a total of $want_total"
		[ "$used" -le "${total%M}" ] 2>/dev/null ||
			fail "$name: RAM shows more in use than in total: '$ram'"
		;;
	esac
	# The count is left out when it cannot be read, and is never 0: the
	# program itself is running.  In a PID namespace of its own it is
	# exactly the command's processes.  Elsewhere, where other work starts
	# and ends processes while it runs, it must lie between the counts
	# taken before and after, give or take the few processes of the run
	# and of the reading.
	processes=$(field Processes)
	case "$counted:$processes" in
	*:) ;;
	*:*[!0-9]* | *:0) fail "$name: Processes shows '$processes'" ;;
	exactly:*)
		[ -z "$want_processes" ] || [ "$processes" -eq "$want_processes" ] ||
			fail "$name: Processes shows $processes, not the $want_processes of its own PID namespace"
		;;
	*)
		low=$((processes_before < processes_after ? processes_before : processes_after))
		high=$((processes_before > processes_after ? processes_before : processes_after))
		[ "$processes" -ge $((low - 5)) ] && [ "$processes" -le $((high + 5)) ] ||
			fail "$name: Processes shows $processes, /proc had $processes_before before and $processes_after after"
		;;
	esac
	uptime=$(sed -n 's/^.*Uptime: //p' "$work/plain")
	[ -z "$uptime" ] || [ "$uptime" = "$uptime_before" ] ||
		[ "$uptime" = "$uptime_after" ] ||
		fail "$name: Uptime shows '$uptime', not '$uptime_before'"
}

# Checks that the last run, named $1, was quiet and that every fact it
# showed is true.  FACT=TEXT arguments, as check_facts takes them, follow.
check_run() {
	check_quiet "$1"
	check_facts "$@"
}
