#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Measures what sysfacts costs at start-up against the floor of starting any
# process at all: a C program whose main returns at once, linked the same
# way.  Prints instructions (callgrind), system calls (strace), wall time
# (1000 runs of each, taking turns), peak resident memory and page faults,
# then times the peer tools that are installed.  Writes nothing into the
# repo.
# Usage: bench/startup.sh   (needs cmake, cc, valgrind, strace, hyperfine,
# python3 and GNU time)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
	-DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/build" >/dev/null
sysfacts=$work/build/sysfacts
static=-static
grep -q '^SYSFACTS_STATIC:BOOL=OFF' "$work/build/CMakeCache.txt" && static=
printf 'int main(void) { return 0; }\n' >"$work/nothing.c"
cc -O2 $static -o "$work/nothing" "$work/nothing.c"
nothing=$work/nothing

instructions() {
	valgrind --tool=callgrind --callgrind-out-file="$work/callgrind" \
		"$1" 2>&1 >/dev/null | sed -n 's/.*Collected : //p'
}

syscalls() {
	strace -f -c -o "$work/strace" "$1" >/dev/null
	awk '$NF == "total" { print $4 }' "$work/strace"
}

# Prints the peak resident memory in KiB and the count of page faults that
# needed no disk read, from one run.
memory() {
	/usr/bin/time -f '%M %R' "$1" 2>&1 >/dev/null | tail -n 1
}

# Runs the programs in turn, one run of each at a time, 1000 times after 50
# runs to warm up, and prints the median wall time of each in milliseconds.
# Taking turns run by run keeps a change in the machine's load from falling
# on one program more than the other.
wall_medians() {
	python3 - "$@" <<'PYTHON'
import os, statistics, sys, time
programs = sys.argv[1:]
null = os.open("/dev/null", os.O_WRONLY)
actions = [(os.POSIX_SPAWN_DUP2, null, 1)]
times = {program: [] for program in programs}
for run in range(1050):
    for program in programs:
        start = time.perf_counter_ns()
        os.waitpid(os.posix_spawn(program, [program], os.environ,
                                  file_actions=actions), 0)
        if run >= 50:
            times[program].append(time.perf_counter_ns() - start)
for program in programs:
    print("%.3f" % (statistics.median(times[program]) / 1e6))
PYTHON
}

ratio() {
	awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

mapfile -t medians < <(wall_medians "$sysfacts" "$nothing")
i_s=$(instructions "$sysfacts")
i_n=$(instructions "$nothing")
c_s=$(syscalls "$sysfacts")
c_n=$(syscalls "$nothing")
read -r m_s f_s < <(memory "$sysfacts")
read -r m_n f_n < <(memory "$nothing")

echo "machine: $(uname -sm), $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1)"
printf '%-24s %14s %14s %8s\n' "" sysfacts do-nothing ratio
printf '%-24s %14s %14s %8s\n' "instructions" "$i_s" "$i_n" "$(ratio "$i_s" "$i_n")"
printf '%-24s %14s %14s %8s\n' "system calls" "$c_s" "$c_n" "$(ratio "$c_s" "$c_n")"
printf '%-24s %14s %14s %8s\n' "wall time, median (ms)" "${medians[0]}" "${medians[1]}" \
	"$(ratio "${medians[0]}" "${medians[1]}")"
printf '%-24s %14s %14s %8s\n' "peak resident (KiB)" "$m_s" "$m_n" "$(ratio "$m_s" "$m_n")"
printf '%-24s %14s %14s %8s\n' "page faults" "$f_s" "$f_n" "$(ratio "$f_s" "$f_n")"

echo
echo "peers, median wall time of 20 runs (ms):"
for peer in neofetch screenfetch fastfetch; do
	if command -v "$peer" >/dev/null 2>&1; then
		hyperfine -N --runs 20 --style none --export-json "$work/$peer.json" \
			"$(command -v "$peer")" >/dev/null 2>&1
		printf '  %-12s %s\n' "$peer" "$(python3 -c '
import json, sys
print("%.1f" % (1000 * json.load(open(sys.argv[1]))["results"][0]["median"]))' \
			"$work/$peer.json")"
	else
		printf '  %-12s not installed, skipped\n' "$peer"
	fi
done
