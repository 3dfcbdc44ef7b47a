#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# The checks of the real program on a FreeBSD kernel, run as root inside the
# test system that tests/freebsd_vm_test.sh boots.  Each fact is compared
# with the system's own readings (sysctl, ps, date) taken just before and
# just after the run; one line per check, "ok" or "FAIL", then a summary.
# The tools are FreeBSD 10.1's, on a 13.2 kernel: sysctl prints nothing for
# the unsigned integer types added since, so those are read with sysctl -b.
# Usage: sh freebsd_guest.sh FOLDER [cpu EXPECTED_CPU_FILE]
# FOLDER holds sysfacts and, where they were built, report_tests and
# golden/.  Results are written to /tmp/results: log and report.out.
set -u
here=$1
program=$here/sysfacts
results=/tmp/results
mkdir -p "$results" /tmp/w
failures=0
esc=$(printf '\033')

pass() { echo "ok   $1: $2"; }
fail() {
	echo "FAIL $1: expected $2, seen $3"
	failures=$((failures + 1))
}

# check NAME EXPECTED SEEN
check() {
	if [ "$2" = "$3" ]; then pass "$1" "'$3'"; else fail "$1" "'$2'" "'$3'"; fi
}

# within NAME LOW HIGH SEEN: a whole number between two readings.
within() {
	case $4 in
	'' | *[!0-9]*)
		fail "$1" "$2..$3" "'$4'"
		return
		;;
	esac
	if [ "$4" -ge "$2" ] && [ "$4" -le "$3" ]; then
		pass "$1" "$4 in $2..$3"
	else
		fail "$1" "$2..$3" "$4"
	fi
}

# The value beside LABEL in the report file $2, escape bytes removed; empty
# for a label alone; "(no label)" when the label is missing.
value() {
	tr -d '\033' <"$2" | awk -v label="$1" '
		{
			at = index($0, "[1;31m" label)
			if (at == 0)
				next
			found = 1
			rest = substr($0, at + length("[1;31m" label))
			sub(/^:?[ ]?\[0;0m ?/, "", rest)
			print rest
		}
		END { if (!found) print "(no label)" }'
}

line_feeds() { tr -cd '\n' <"$1" | wc -c | tr -d ' '; }

# u32 NAME: a 4-byte integer sysctl, which 10.1's sysctl cannot print.
u32() { sysctl -b "$1" | od -An -tu4 | tr -d ' '; }

# The seconds of kern.boottime, a struct timeval, read as 32-bit words.
boot_seconds() {
	set -- $(sysctl -b kern.boottime | od -An -tu4)
	echo $(($1 + ($2 << 32)))
}

# How the program writes an uptime of $1 seconds.
uptime_text() {
	s=$1
	[ "$s" -gt 60 ] && s=$((s + 30))
	d=$((s / 86400))
	h=$((s % 86400 / 3600))
	m=$((s % 3600 / 60))
	out=
	if [ $d -eq 1 ]; then out="1 day "; elif [ $d -gt 1 ]; then out="$d days "; fi
	if [ $h -gt 0 ]; then
		out="$out$h:$(printf %02d $m)"
	else
		out="${out}0:$(printf %02d $m)"
	fi
	echo "$out"
}

mib() { echo $(($1 >> 20)); }

# The memory in use, in MiB, as the program works it out now.
used_mib() {
	total=$(mib "$(sysctl -n hw.physmem)")
	free=$(mib $(($(u32 vm.stats.vm.v_free_count) * $(sysctl -n hw.pagesize))))
	if [ "$total" -gt "$free" ]; then echo $((total - free)); else echo 0; fi
}

# The processes as ps lists them, ps itself standing in for the program:
# ps must run from this shell, not from a subshell that would count too.
list_processes() { ps ax -o pid= >"$1"; }
lines() { wc -l <"$1" | tr -d ' '; }

low() { if [ "$1" -le "$2" ]; then echo "$1"; else echo "$2"; fi; }
high() { if [ "$1" -ge "$2" ]; then echo "$1"; else echo "$2"; fi; }

# whole_report TAG FILE STATUS ERRFILE: exit 0, nothing on standard error
# and 22 line feeds.
whole_report() {
	check "$1: exit status" 0 "$3"
	check "$1: standard error" "" "$(cat "$4")"
	[ -z "$2" ] || check "$1: line feeds" 22 "$(line_feeds "$2")"
}

# facts TAG COMMAND...: runs the command, which runs the program with its
# output in /tmp/w/out, and compares every fact with readings around it.
facts() {
	tag=$1
	shift
	host_before=$(sysctl -n kern.hostname)
	used_before=$(used_mib)
	list_processes /tmp/w/ps-before
	up_before=$(($(date +%s) - $(boot_seconds)))
	"$@" >/tmp/w/out 2>/tmp/w/err
	status=$?
	up_after=$(($(date +%s) - $(boot_seconds) + 1))
	list_processes /tmp/w/ps-after
	used_after=$(used_mib)
	host_after=$(sysctl -n kern.hostname)
	out=/tmp/w/out

	whole_report "$tag" $out $status /tmp/w/err
	check "$tag: Hostname" "$host_before" "$(value Hostname $out)"
	check "$tag: Hostname (after)" "$host_after" "$(value Hostname $out)"
	check "$tag: Bootmethod" "$(sysctl -n machdep.bootmethod)" \
		"$(value Bootmethod $out)"
	check "$tag: OS" "$(sysctl -n kern.ostype) $(sysctl -n hw.machine_arch)" \
		"$(value OS $out)"
	check "$tag: Version" "$(sysctl -n kern.osrelease)" "$(value Version $out)"
	check "$tag: CPU" "$(sysctl -n hw.model | tr -s ' ')" "$(value CPU $out)"
	ram=$(value RAM $out)
	total=$(mib "$(sysctl -n hw.physmem)")
	check "$tag: RAM total" "${total}M" "${ram#* / }"
	# The readers (sysctl, od) hold a little memory of their own while
	# they read, which the program's run does not, so the low end has a
	# mebibyte or two to spare.
	low_used=$(low $used_before $used_after)
	within "$tag: RAM used" $((low_used > 2 ? low_used - 2 : 0)) \
		"$(high $used_before $used_after)" "${ram%%M / *}"
	procs_before=$(lines /tmp/w/ps-before)
	procs_after=$(lines /tmp/w/ps-after)
	within "$tag: Processes" "$(low $procs_before $procs_after)" \
		"$(high $procs_before $procs_after)" "$(value Processes $out)"
	check "$tag: Shell" "${SHELL##*/}" "$(value Shell $out)"
	seen=$(value Uptime $out)
	s=$up_before
	while [ $s -le $up_after ] && [ "$(uptime_text $s)" != "$seen" ]; do
		s=$((s + 1))
	done
	if [ $s -le $up_after ]; then
		pass "$tag: Uptime" "'$seen' for $up_before..$up_after s"
	else
		fail "$tag: Uptime" "$up_before..$up_after s" "'$seen'"
	fi
}

# A jail's root with the program and the libraries it needs, and with
# devfs on its /dev when $2 is "dev".
make_root() {
	rm -rf "$1"
	mkdir -p "$1/dev" "$1/lib" "$1/libexec"
	cp "$program" "$1/"
	cp /libexec/ld-elf.so.1 "$1/libexec/"
	cp $(ldd -f '%p\n' "$program" | grep '^/') "$1/lib/"
	[ "$2" != dev ] || mount -t devfs devfs "$1/dev"
}

run_cpu_checks() {
	expected=$(cat "$1")
	"$program" >/tmp/w/out 2>/tmp/w/err
	whole_report "hostile CPU brand string" /tmp/w/out $? /tmp/w/err
	check "hostile CPU brand string: CPU" "$expected" "$(value CPU /tmp/w/out)"
	echo "hw.model is: $(sysctl -n hw.model | od -An -c | tr -s ' ')"
}

run_checks() {
	facts "root" "$program"
	facts "nobody" chroot -u nobody -g nobody / "$program"
	check "nobody: the run was not root's" 65534 \
		"$(chroot -u nobody -g nobody / id -u)"
	cp /tmp/w/out "$results/report.out"

	# Jails: with devfs the program sees itself alone; without /dev the
	# process table cannot be opened, and the count is left out.
	make_root /tmp/jd dev
	jail -c name=jd path=/tmp/jd host.hostname=jailed command=/sysfacts \
		>/tmp/w/out 2>/tmp/w/err
	whole_report "jail with devfs" /tmp/w/out $? /tmp/w/err
	check "jail with devfs: Processes" 1 "$(value Processes /tmp/w/out)"
	check "jail with devfs: Hostname" jailed "$(value Hostname /tmp/w/out)"
	umount /tmp/jd/dev

	make_root /tmp/jn nodev
	jail -c name=jn path=/tmp/jn host.hostname=jailed command=/sysfacts \
		>/tmp/w/out 2>/tmp/w/err
	whole_report "jail without /dev" /tmp/w/out $? /tmp/w/err
	check "jail without /dev: Processes" "" "$(value Processes /tmp/w/out)"
	chroot /tmp/jn /sysfacts >/tmp/w/out 2>/tmp/w/err
	whole_report "chroot without /dev" /tmp/w/out $? /tmp/w/err
	check "chroot without /dev: Processes" "" "$(value Processes /tmp/w/out)"

	# Host names that would act on a terminal, each with what must show.
	# Tab is not a control here; well-formed UTF-8 stays whole.
	make_root /tmp/jh dev
	while read -r name shown; do
		name=$(printf '%b' "$name")
		shown=$(printf '%b' "$shown")
		jail -c name=jh path=/tmp/jh host.hostname="$name" \
			command=/sysfacts >/tmp/w/out 2>/tmp/w/err
		whole_report "host name $shown" /tmp/w/out $? /tmp/w/err
		check "host name $shown: Hostname" "$shown" \
			"$(value Hostname /tmp/w/out)"
	done <<-'EOF'
	a\0033[2Jb a?[2Jb
	a\0012b a?b
	a\0011b a\0011b
	a\0177b a?b
	\0033]0;owned\0007x ?]0;owned?x
	\0302\02332J ?2J
	\02332J ?2J
	\0342\0202\0254\0305\0221 \0342\0202\0254\0305\0221
	EOF
	umount /tmp/jh/dev

	# Faults: the report is whole where it can be written, and the
	# program exits 0 with nothing on standard error whatever happens.
	"$program" >&- 2>/tmp/w/err
	whole_report "stdout closed" "" $? /tmp/w/err
	"$program" >&- 2>&-
	check "stdout and stderr closed: exit status" 0 $?
	"$program" >/dev/full 2>/tmp/w/err
	whole_report "stdout /dev/full" "" $? /tmp/w/err
	{
		"$program" 2>/tmp/w/err
		echo $? >/tmp/w/status
	} | true
	whole_report "reader that leaves early" "" "$(cat /tmp/w/status)" /tmp/w/err
	sh -c 'ulimit -f 0; exec "$0"' "$program" >/tmp/w/out 2>/tmp/w/err
	whole_report "ulimit -f 0 to a file" "" $? /tmp/w/err
	(unset SHELL; exec "$program") >/tmp/w/out 2>/tmp/w/err
	whole_report "SHELL unset" /tmp/w/out $? /tmp/w/err
	check "SHELL unset: Shell" "" "$(value Shell /tmp/w/out)"
	for shell in '' / /usr/local/bin/ /usr/local/bin/zsh; do
		case $shell in
		/) shown=/ ;;
		*) shown=${shell##*/} ;;
		esac
		SHELL=$shell "$program" >/tmp/w/out 2>/tmp/w/err
		whole_report "SHELL='$shell'" /tmp/w/out $? /tmp/w/err
		check "SHELL='$shell': Shell" "$shown" "$(value Shell /tmp/w/out)"
	done
	# libkvm needs two descriptors; with one free the count is left out.
	sh -c 'ulimit -n 4; exec "$0"' "$program" >/tmp/w/out 2>/tmp/w/err
	whole_report "ulimit -n 4" /tmp/w/out $? /tmp/w/err
	check "ulimit -n 4: Processes" "" "$(value Processes /tmp/w/out)"
	sh -c 'ulimit -n 3; exec "$0" <&-' "$program" >/tmp/w/out 2>/tmp/w/err
	whole_report "ulimit -n 3, stdin closed" /tmp/w/out $? /tmp/w/err
	check "ulimit -n 3, stdin closed: Processes" "" \
		"$(value Processes /tmp/w/out)"
	facts "ulimit -n 5" sh -c 'ulimit -n 5; exec "$0"' "$program"

	if [ -x "$here/report_tests" ]; then
		if SYSFACTS_GOLDEN_DIR=$here/golden "$here/report_tests" \
			>/tmp/w/gtest 2>&1; then
			pass "report_tests" "$(grep -c '^\[       OK' /tmp/w/gtest) tests"
		else
			cat /tmp/w/gtest
			fail "report_tests" "every test passing" "failures"
		fi
	fi

	# What a run costs beside /usr/bin/true, in ten interleaved rounds of
	# 100; informational only, under emulation.
	program_time=0
	true_time=0
	for round in 1 2 3 4 5 6 7 8 9 10; do
		for command in "$program" /usr/bin/true; do
			/usr/bin/time -p sh -c 'i=0; while [ $i -lt 100 ]; do
				"$0" >/dev/null; i=$((i + 1)); done' "$command" \
				2>/tmp/w/time
			t=$(awk '/^real/ { print $2 * 1000 }' /tmp/w/time)
			if [ "$command" = /usr/bin/true ]; then
				true_time=$((true_time + t))
			else
				program_time=$((program_time + t))
			fi
		done
	done
	echo "cost: 1000 runs $program_time ms, 1000 of /usr/bin/true" \
		"$true_time ms, ratio" \
		"$(echo "$program_time $true_time" | awk '{ printf "%.2f", $1 / $2 }')"
}

if [ "${2:-}" = cpu ]; then
	run_cpu_checks "$3"
else
	run_checks
fi
echo "checks failed: $failures"
[ $failures -eq 0 ]
