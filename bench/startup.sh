#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Measures what sysfacts costs at start-up against the floors of starting a
# process at all: do-nothing programs linked statically against glibc and
# against musl (as sysfacts is), and one with no C library, whose _start
# only exits; and against the floor of its facts, a program with no C
# library that makes only the system calls the report needs
# (bench/facts_floor.c, x86-64).  In one interleaved run (every program
# once a round, in shuffled order), prints each program's median wall time,
# system calls (strace), minor page faults and peak resident memory (read
# at its exit, so the measuring tool's own memory does not count), stripped
# size and instructions (callgrind), with ratios, and what each part of the
# facts costs: the facts floor less that part, in the same run.  Then
# checks that the shipped build's report is the glibc build's, once what
# changes between runs is masked, and times the peer tools that are
# installed.  Given a second source tree (another commit's checkout), builds
# its program too and times it in the same rounds, as "baseline".  Writes
# nothing into the repo.
# Usage: bench/startup.sh [rounds] [baseline tree]   (needs cmake, g++, cc, musl-tools,
# valgrind, strace, python3 and hyperfine for the peers)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-1500}
baseline=${2:-}
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
# Linked as the program is (cmake/musl.cmake), so that the floor holds the
# same start-up and page layout.
musl-gcc -O2 -static -no-pie -fno-pie -Wl,-z,norelro -Wl,-z,noseparate-code \
	-o "$work/nothing-musl" "$work/nothing.c"
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
if [ -n "$baseline" ]; then
	cmake -S "$baseline" -B "$work/baseline" -DCMAKE_BUILD_TYPE=Release \
		-DBUILD_TESTING=OFF >/dev/null
	cmake --build "$work/baseline" >/dev/null
	names+=(baseline)
	programs+=("$work/baseline/sysfacts")
fi
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
# Every program timed, by name: those of the table, then the facts floor
# without each part.
keys=("${names[@]}")
[ "$facts" = no ] || for part in "${parts[@]}"; do keys+=("without $part"); done

# Prints, one line a program, its median wall time in milliseconds and its
# ratio to each of the floors given by their indexes in the list: the median,
# over the rounds, of the ratio of its time to the floor's in the same round,
# so that what slows the whole machine for a while cancels out.
wall_medians() {
	python3 - "$rounds" "$floors" "$@" <<'PYTHON'
import os, random, statistics, sys, time
rounds = int(sys.argv[1])
floors = [int(i) for i in sys.argv[2].split()]
programs = sys.argv[3:]
null = os.open("/dev/null", os.O_WRONLY)
actions = [(os.POSIX_SPAWN_DUP2, null, 1)]
times = [[] for program in programs]
order = list(range(len(programs)))
for run in range(rounds + 50):
    random.shuffle(order)
    for i in order:
        start = time.perf_counter_ns()
        os.waitpid(os.posix_spawn(programs[i], [programs[i]], os.environ,
                                  file_actions=actions), 0)
        if run >= 50:
            times[i].append(time.perf_counter_ns() - start)
for i in range(len(programs)):
    ratios = ["%.3f" % statistics.median(a / b for a, b in
                                         zip(times[i], times[f]))
              if f < len(programs) else "-" for f in floors]
    print("%.4f" % (statistics.median(times[i]) / 1e6), *ratios)
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

# Prints the index of the program named $1 among those timed, or one past
# the last where there is none.
index_of() {
	local i
	for i in "${!keys[@]}"; do
		[ "${keys[$i]}" != "$1" ] || { echo "$i"; return; }
	done
	echo "${#keys[@]}"
}
# The floors: static glibc, musl, no C library, and the facts.
floors="$(index_of "do-nothing, glibc") $(index_of "do-nothing, musl")"
floors="$floors $(index_of "do-nothing, no libc") $(index_of "facts floor, no libc")"
mapfile -t walls < <(wall_medians "${programs[@]}")
declare -A wall_of
for i in "${!keys[@]}"; do
	wall_of[${keys[$i]}]=${walls[$i]}
done
# Prints one figure of the program named $1: its wall time, or its ratio
# to the glibc, musl, no-libc or facts floor.
figure() {
	local wall to_glibc to_musl to_none to_facts
	read -r wall to_glibc to_musl to_none to_facts <<<"${wall_of[$1]}"
	case $2 in
	wall) echo "$wall" ;;
	glibc) echo "$to_glibc" ;;
	musl) echo "$to_musl" ;;
	none) echo "$to_none" ;;
	facts) echo "$to_facts" ;;
	esac
}

echo "machine: $(uname -sr), $(uname -m), $(nproc) cores," \
	"$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1)"
echo "wall time: median of $rounds interleaved rounds, in ms, and the median" \
	"of each round's ratio to each floor"
printf '%-22s %7s %6s %6s %6s %6s %8s %6s %5s %7s %12s\n' "" "wall" \
	"/glibc" "/musl" "/none" "/facts" syscalls faults "KiB" "bytes" \
	instructions
for i in "${!names[@]}"; do
	name=${names[$i]}
	read -r peak faults < <("$work/exit_stats" "${programs[$i]}")
	printf '%-22s %7s %6s %6s %6s %6s %8s %6s %5s %7s %12s\n' \
		"$name" "$(figure "$name" wall)" "$(figure "$name" glibc)" \
		"$(figure "$name" musl)" "$(figure "$name" none)" \
		"$(figure "$name" facts)" "$(syscalls "${programs[$i]}")" \
		"$faults" "$peak" \
		"$(stripped_size "${programs[$i]}")" \
		"$(instructions "${programs[$i]}")"
done

if [ "$facts" = yes ]; then
	echo "what the facts cost, in microseconds: the facts floor less each" \
		"part, in the same run"
	# A part's cost: the facts floor's time less that of the floor
	# without the part, both as ratios to the no-libc floor, in µs.
	none=$(figure "do-nothing, no libc" wall)
	cost() {
		awk -v a="$1" -v b="$2" -v none="$none" \
			'BEGIN { printf "%6.1f", (a - b) * none * 1000 }'
	}
	facts_to_none=$(figure "facts floor, no libc" none)
	for i in "${!parts[@]}"; do
		printf '  %-26s %s\n' "${part_names[$i]}" \
			"$(cost "$facts_to_none" "$(figure "without ${parts[$i]}" none)")"
	done
	printf '  %-26s %s\n' "musl's start-up and exit" \
		"$(cost "$(figure "do-nothing, musl" none)" 1)"
	printf '  %-26s %s\n' "sysfacts above its facts" \
		"$(cost "$(figure sysfacts none)" "$facts_to_none")"
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
