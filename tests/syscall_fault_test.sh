#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program under strace(1), making each system call it makes
# fail in turn, one call at a time and then every call of the same name:
# each run must exit 0 with nothing on standard error and, unless the write
# itself failed, the whole frame with every fact it shows true.  A read that
# a signal interrupts must be retried, and a directory listing that claims
# data it never wrote must not count processes.
# Usage: syscall_fault_test.sh path/to/sysfacts path/to/golden/report.txt
set -u
program=$1
golden=$2
runs=0

if ! command -v strace >/dev/null ||
	! strace -qq -o /dev/null -e trace=none true 2>/dev/null; then
	echo "SKIP: strace is missing or cannot trace here (ptrace denied)"
	exit 77
fi
# A sanitizer's runtime makes calls of its own, and reports their failure.
if grep -aq __asan_init "$program"; then
	echo "SKIP: the sanitizer runtime makes and checks system calls of its own"
	exit 77
fi
. "$(dirname "$0")/report_checks.sh"

# The C library's start-up makes a few calls before main whose failure it
# treats as fatal itself, writing to standard error and exiting 127: the
# thread pointer's setting and the read-only relocations' protection.  No
# program can answer for those, so they are not failed.
c_library_fatal="arch_prctl set_thread_area mprotect"
# brk(2) has no error return: when it cannot move the break it returns the
# old one.  An injected error is a value no kernel gives, which the C
# library takes for an address, so brk is not failed either.
never_fails="brk"

# The program's system calls in order, one name a line.  main begins at its
# first call of its own, the one that ignores SIGPIPE.
strace -qq -o "$work/trace" "$program" >/dev/null
sed -n 's/^\([a-z_0-9]*\)(.*/\1/p' "$work/trace" >"$work/calls"
main_line=$(grep -n '^rt_sigaction(SIGPIPE' "$work/trace" | cut -d: -f1)
[ -n "$main_line" ] || fail "the trace shows no call that ignores SIGPIPE"

# Runs the program with one injection, named $1, for the call name $2, and
# checks the run.
inject() {
	name=$1
	call=$2
	shift 2
	runs=$((runs + 1))
	run timeout 20 strace -qq -o /dev/null -e trace="$call" \
		-e inject="$call:$*" \
		"$program"
	# A failed write loses the report; only the quiet exit is left to check.
	case "$call" in
	write | writev) check_quiet "$name" ;;
	*) check_run "$name" processes=3 ;;
	esac
}

line=0
while read -r call; do
	line=$((line + 1))
	case " execve exit_group $never_fails " in *" $call "*) continue ;; esac
	if [ "$line" -lt "$main_line" ]; then
		case " $c_library_fatal " in *" $call "*) continue ;; esac
	fi
	# Which call of this name it is, counted from 1.
	nth=$(head -n "$line" "$work/calls" | grep -cx "$call")
	inject "$call #$nth fails with EIO" "$call" "error=EIO:when=$nth"
	if [ "$nth" -eq 1 ]; then
		inject "every $call fails with EIO" "$call" error=EIO
	fi
	case "$call" in
	read | getdents64)
		# Interrupted once, the call is made again and the facts stay.
		inject "$call #$nth interrupted" "$call" "error=EINTR:when=$nth"
		[ -n "$(field Processes)" ] ||
			fail "$call #$nth interrupted: no Processes"
		[ -n "$(field CPU)" ] || fail "$call #$nth interrupted: no CPU"
		# Interrupted every time, the call is given up and the run ends.
		[ "$nth" -ne 1 ] ||
			inject "every $call interrupted" "$call" error=EINTR
		;;
	esac
done <"$work/calls"

# A /proc that cannot seek is listed from its start.
inject "every lseek refused" lseek error=ESPIPE
[ -n "$(field Processes)" ] || fail "every lseek refused: no Processes"
# A listing of /proc whose length is claimed but whose records were never
# written: the buffer holds no valid record, so the count fails.
inject "getdents64 claims 4096 bytes" getdents64 "retval=4096:when=1"
# A listing that never ends: after the first call, every call returns the
# first record again.
inject "getdents64 never reaches the end" getdents64 "retval=24:when=2+"
[ -z "$(field Processes)" ] ||
	fail "getdents64 never reaches the end: Processes $(field Processes)"

[ "$failures" -eq 0 ] || exit 1
echo "syscall_fault_test: $runs runs, each quiet with every fact shown true"
exit 0
