#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Measures what sysfacts costs at start-up against the floors of starting a
# process at all: do-nothing programs linked statically against glibc and
# against musl, and one with no C library, whose _start only exits; and
# against the floor of its facts, a program with no C library that makes
# only the system calls the report needs (bench/facts_floor.c, x86-64).  In
# one interleaved run (every program once a round, in shuffled order),
# prints each program's median wall time, system calls (strace), minor page
# faults and peak resident memory (read at its exit, so the measuring
# tool's own memory does not count), stripped size and instructions
# (callgrind), with ratios, and what each part of the facts costs: the
# facts floor less that part, in the same run.  Then checks that the shipped build's report is the glibc build's,
# once what changes between runs is masked, and times the peer tools that
# are installed.  Writes nothing into the repo.
# Usage: bench/startup.sh [rounds]   (needs cmake, g++, cc, musl-tools,
# valgrind, strace, python3 and hyperfine for the peers)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-1500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
	-DBUILD_TESTING=OFF | grep 'sysfacts:' || true
cmake --build "$work/build" >/dev/null
cmake -S "$root" -B "$work/glibc" -DCMAKE_BUILD_TYPE=Release \
	-DBUILD_TESTING=OFF -DSYSFACTS_LIBC=glibc >/dev/null
cmake --build "$work/glibc" >/dev/null

printf 'int main(void) { return 0; }\n' >"$work/nothing.c"
cc -O2 -static -o "$work/nothing-glibc" "$work/nothing.c"
musl-gcc -O2 -static -o "$work/nothing-musl" "$work/nothing.c"
# The physical floor: exec, one system call, exit.
cat >"$work/nolibc.c" <<'C'
void _start(void)
{
	__asm__ volatile("mov $231, %eax\n\txor %edi, %edi\n\tsyscall");
}
C
cc -O2 -static -nostdlib -nostartfiles -o "$work/nothing-nolibc" \
	"$work/nolibc.c"
cc -O2 -o "$work/exit_stats" "$root/bench/exit_stats.c"

names=(sysfacts "sysfacts (glibc)" "do-nothing, glibc" "do-nothing, musl"
	"do-nothing, no libc")
programs=("$work/build/sysfacts" "$work/glibc/sysfacts" "$work/nothing-glibc"
	"$work/nothing-musl" "$work/nothing-nolibc")
# The facts floor and its variants, each without one part.
parts=(LISTING CPUINFO MEMINFO ACCESS WRITE)
part_names=("listing /proc" "reading /proc/cpuinfo" "reading /proc/meminfo"
	"the two access(2) calls" "writing the report")
facts=no
if [ "$(uname -m)" = x86_64 ]; then
	facts=yes
	size=$(SHELL=/bin/sh "${programs[0]}" | wc -c)
	floor_flags=(-O2 -static -nostdlib -nostartfiles -fno-stack-protector
		-DREPORT_SIZE="$size")
	cc "${floor_flags[@]}" -o "$work/facts" "$root/bench/facts_floor.c"
	names+=("facts floor, no libc")
	programs+=("$work/facts")
	for part in "${parts[@]}"; do
		cc "${floor_flags[@]}" -DWITHOUT_"$part" -o "$work/facts-$part" \
			"$root/bench/facts_floor.c"
		programs+=("$work/facts-$part")
	done
fi

# Prints the median wall time of each program in milliseconds, one a line.
wall_medians() {
	python3 - "$rounds" "$@" <<'PYTHON'
import os, random, statistics, sys, time
rounds = int(sys.argv[1])
programs = sys.argv[2:]
null = os.open("/dev/null", os.O_WRONLY)
actions = [(os.POSIX_SPAWN_DUP2, null, 1)]
times = {program: [] for program in programs}
order = list(programs)
for run in range(rounds + 50):
    random.shuffle(order)
    for program in order:
        start = time.perf_counter_ns()
        os.waitpid(os.posix_spawn(program, [program], os.environ,
                                  file_actions=actions), 0)
        if run >= 50:
            times[program].append(time.perf_counter_ns() - start)
for program in programs:
    print("%.4f" % (statistics.median(times[program]) / 1e6))
PYTHON
}

syscalls() {
	strace -f -c -o "$work/strace" "$1" >/dev/null
	awk '$NF == "total" { print $4 }' "$work/strace"
}

instructions() {
	valgrind --tool=callgrind --callgrind-out-file="$work/callgrind" \
		"$1" 2>&1 >/dev/null | sed -n 's/.*Collected : //p'
}

stripped_size() {
	strip -o "$work/stripped" "$1"
	stat -c %s "$work/stripped"
}

mapfile -t medians < <(wall_medians "${programs[@]}")
floor=${medians[2]}
musl_floor=${medians[3]}
nolibc_floor=${medians[4]}
facts_floor=${medians[5]:-}

ratio() {
	if [ -n "$2" ]; then
		awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
	else
		echo -
	fi
}

echo "machine: $(uname -sr), $(uname -m), $(nproc) cores," \
	"$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1)"
echo "wall time: median of $rounds interleaved rounds, in ms and as a ratio" \
	"to each floor"
printf '%-22s %7s %6s %6s %6s %6s %8s %6s %5s %7s %12s\n' "" "wall" \
	"/glibc" "/musl" "/none" "/facts" syscalls faults "KiB" "bytes" \
	instructions
for i in "${!names[@]}"; do
	read -r peak faults < <("$work/exit_stats" "${programs[$i]}")
	printf '%-22s %7s %6s %6s %6s %6s %8s %6s %5s %7s %12s\n' \
		"${names[$i]}" "${medians[$i]}" \
		"$(ratio "${medians[$i]}" "$floor")" \
		"$(ratio "${medians[$i]}" "$musl_floor")" \
		"$(ratio "${medians[$i]}" "$nolibc_floor")" \
		"$(ratio "${medians[$i]}" "$facts_floor")" \
		"$(syscalls "${programs[$i]}")" "$faults" "$peak" \
		"$(stripped_size "${programs[$i]}")" \
		"$(instructions "${programs[$i]}")"
done

if [ "$facts" = yes ]; then
	echo "what the facts cost, in microseconds: the facts floor less each" \
		"part, in the same run"
	for i in "${!parts[@]}"; do
		printf '  %-26s %6.1f\n' "${part_names[$i]}" \
			"$(awk -v a="$facts_floor" -v b="${medians[$((6 + i))]}" \
				'BEGIN { print (a - b) * 1000 }')"
	done
	printf '  %-26s %6.1f\n' "musl's start-up and exit" \
		"$(awk -v a="$musl_floor" -v b="$nolibc_floor" \
			'BEGIN { print (a - b) * 1000 }')"
	printf '  %-26s %6.1f\n' "sysfacts above its facts" \
		"$(awk -v a="${medians[0]}" -v b="$facts_floor" \
			'BEGIN { print (a - b) * 1000 }')"
else
	echo "facts floor: left out, since bench/facts_floor.c is x86-64 code" \
		"and this is $(uname -m)"
fi

# What changes from one run to the next: the process count, the memory in
# use and the uptime.
masked() {
	SHELL=/bin/sh "$1" | sed -e 's/\(Processes:[^ ]* \)[0-9]*/\1N/' \
		-e 's/\(RAM:[^ ]* \)[0-9]*M/\1NM/' -e 's/\(Uptime: \x1b\[0;0m\).*/\1T/'
}
if cmp -s <(masked "${programs[0]}") <(masked "${programs[1]}"); then
	echo "report: byte for byte the glibc build's, once masked"
else
	echo "report: DIFFERS from the glibc build's"
fi

echo
echo "peers, median wall time of 20 runs (ms):"
for peer in neofetch screenfetch fastfetch; do
	if command -v "$peer" >/dev/null 2>&1 && command -v hyperfine >/dev/null; then
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
