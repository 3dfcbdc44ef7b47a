#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Checks the real program on a live FreeBSD system against the system's own
# readings (sysctl, ps, date) taken just before and after each run: as the
# user running it, and where that is root, as nobody, in jails with and
# without /dev and with host names that would act on a terminal; then with
# standard output closed, full or gone, limits on files and descriptors,
# and odd SHELL values.  It needs only FreeBSD's base system, writes only
# under a folder of mktemp -d, and ends with "N passed, N failed".
# Usage: sh tests/freebsd_checks.sh path/to/sysfacts
set -u
passed=0
failed=0

pass() {
	passed=$((passed + 1))
	echo "ok   $1: $2"
}
fail() {
	failed=$((failed + 1))
	echo "FAIL $1: expected $2, seen $3"
}
skip() { echo "skip $1: $2"; }
# check NAME EXPECTED SEEN
check() {
	if [ "$2" = "$3" ]; then pass "$1" "'$3'"; else fail "$1" "'$2'" "'$3'"; fi
}
# within NAME LOW HIGH SEEN: a whole number between two readings.
within() {
	case $4 in
	'' | *[!0-9]*) fail "$1" "$2..$3" "'$4'" ;;
	*) if [ "$4" -ge "$2" ] && [ "$4" -le "$3" ]; then
		pass "$1" "$4 in $2..$3"
	else
		fail "$1" "$2..$3" "$4"
	fi ;;
	esac
}

# The text beside LABEL in the report file $2, escape bytes removed: empty
# for a label alone, "(no label)" where the label is missing.
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

# The seconds of kern.boottime: "{ sec = 1733836800, usec = 52311 } Tue ...".
boot_seconds() { sysctl -n kern.boottime | sed -n 's/^{ sec = \([0-9]*\),.*/\1/p'; }
# The memory in use, in MiB, as the program works it out now.
used_mib() {
	total=$(($(sysctl -n hw.physmem) >> 20))
	free=$((($(sysctl -n vm.stats.vm.v_free_count) * $(sysctl -n hw.pagesize)) >> 20))
	if [ "$total" -gt "$free" ]; then echo $((total - free)); else echo 0; fi
}
# The processes that ps lists: "  782" a line.
process_count() { ps ax -o pid= | grep -c '[0-9]'; }
# The CPU row: hw.model with its runs of spaces collapsed.
cpu_row() { sysctl -n hw.model | tr -s ' '; }
# How the program writes an uptime of $1 seconds.
uptime_text() {
	s=$1
	[ "$s" -gt 60 ] && s=$((s + 30))
	d=$((s / 86400))
	h=$((s % 86400 / 3600))
	m=$((s % 3600 / 60))
	out=
	[ $d -ne 1 ] || out="1 day "
	[ $d -le 1 ] || out="$d days "
	echo "$out$h:$(printf %02d $m)"
}
low() { if [ "$1" -le "$2" ]; then echo "$1"; else echo "$2"; fi; }
high() { if [ "$1" -ge "$2" ]; then echo "$1"; else echo "$2"; fi; }

# The parsing above is tested on Linux with recorded FreeBSD output.
[ -z "${FREEBSD_CHECKS_FUNCTIONS_ONLY:-}" ] || return 0

program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
out=$work/out
err=$work/err

# whole NAME STATUS [OUT]: exit 0, nothing on standard error and, where the
# report could be written, 22 line feeds.
whole() {
	check "$1: exit status" 0 "$2"
	check "$1: standard error" "" "$(cat "$err")"
	[ -z "${3:-}" ] || check "$1: line feeds" 22 "$(line_feeds "$3")"
}

# facts NAME COMMAND...: runs the command, which runs the program, and
# compares every fact with readings taken around it.  Other work starts
# and ends processes meanwhile, so here the count need only be a whole
# number; the jails below count exactly.
facts() {
	name=$1
	shift
	host_before=$(sysctl -n kern.hostname)
	used_before=$(used_mib)
	up_before=$(($(date +%s) - $(boot_seconds)))
	"$@" >"$out" 2>"$err"
	status=$?
	up_after=$(($(date +%s) - $(boot_seconds) + 1))
	used_after=$(used_mib)
	whole "$name" "$status" "$out"
	check "$name: Hostname" "$host_before" "$(value Hostname "$out")"
	check "$name: Bootmethod" "$(sysctl -n machdep.bootmethod 2>/dev/null)" \
		"$(value Bootmethod "$out")"
	check "$name: OS" "$(sysctl -n kern.ostype) $(sysctl -n hw.machine_arch)" \
		"$(value OS "$out")"
	check "$name: Version" "$(sysctl -n kern.osrelease)" "$(value Version "$out")"
	check "$name: CPU" "$(cpu_row)" "$(value CPU "$out")"
	ram=$(value RAM "$out")
	check "$name: RAM total" "$(($(sysctl -n hw.physmem) >> 20))M" "${ram#* / }"
	# The readers (sysctl) hold a little memory of their own while they
	# read, which the program's run does not.
	low_used=$(low "$used_before" "$used_after")
	within "$name: RAM used" $((low_used > 2 ? low_used - 2 : 0)) \
		"$(high "$used_before" "$used_after")" "${ram%%M / *}"
	within "$name: Processes" 1 2147483647 "$(value Processes "$out")"
	check "$name: Shell" "${SHELL##*/}" "$(value Shell "$out")"
	seen=$(value Uptime "$out")
	s=$up_before
	while [ "$s" -le "$up_after" ] && [ "$(uptime_text "$s")" != "$seen" ]; do
		s=$((s + 1))
	done
	if [ "$s" -le "$up_after" ]; then
		pass "$name: Uptime" "'$seen' for $up_before..$up_after s"
	else
		fail "$name: Uptime" "$up_before..$up_after s" "'$seen'"
	fi
}

# A jail's root with the program and the libraries it needs, and devfs on
# its /dev when $2 is "dev".
make_root() {
	mkdir -p "$1/dev" "$1/lib" "$1/libexec"
	cp "$program" "$1/sysfacts"
	cp /libexec/ld-elf.so.1 "$1/libexec/"
	ldd -f '%p\n' "$program" | grep '^/' | while read -r library; do
		cp "$library" "$1/lib/"
	done
	[ "$2" != dev ] || mount -t devfs devfs "$1/dev"
}

facts "$(id -un)" "$program"

if [ "$(id -u)" -ne 0 ]; then
	skip "nobody, jails and host names" "they need root"
else
	facts nobody chroot -u nobody -g nobody / "$program"
	check "nobody: the run was not root's" 65534 \
		"$(chroot -u nobody -g nobody / id -u)"

	# In a jail with devfs the program sees itself alone; without /dev
	# the process table cannot be opened, and the count is left out.
	make_root "$work/dev" dev
	jail -c name=sysfacts_dev path="$work/dev" host.hostname=jailed \
		command=/sysfacts >"$out" 2>"$err"
	whole "jail with devfs" $? "$out"
	check "jail with devfs: Processes" 1 "$(value Processes "$out")"
	check "jail with devfs: Hostname" jailed "$(value Hostname "$out")"
	make_root "$work/nodev" nodev
	jail -c name=sysfacts_nodev path="$work/nodev" host.hostname=jailed \
		command=/sysfacts >"$out" 2>"$err"
	whole "jail without /dev" $? "$out"
	check "jail without /dev: Processes" "" "$(value Processes "$out")"

	# Host names that would act on a terminal, each with what must show:
	# tab is not a control here, and well-formed UTF-8 stays whole.
	while read -r name shown; do
		name=$(printf '%b' "$name")
		shown=$(printf '%b' "$shown")
		jail -c name=sysfacts_host path="$work/dev" host.hostname="$name" \
			command=/sysfacts >"$out" 2>"$err"
		whole "host name $shown" $? "$out"
		check "host name $shown: Hostname" "$shown" "$(value Hostname "$out")"
	done <<-'TABLE'
	a\0033[2Jb a?[2Jb
	a\0012b a?b
	a\0011b a\0011b
	a\0177b a?b
	\0033]0;owned\0007x ?]0;owned?x
	\0302\02332J ?2J
	\02332J ?2J
	\0342\0202\0254\0305\0221 \0342\0202\0254\0305\0221
	TABLE
	umount "$work/dev/dev"
fi

# Faults: the report is whole where it can be written, and the program
# exits 0 with nothing on standard error whatever happens.
"$program" >&- 2>"$err"
whole "standard output closed" $?
"$program" >/dev/full 2>"$err"
whole "standard output full" $?
{
	"$program" 2>"$err"
	echo $? >"$work/status"
} | true
whole "a reader that leaves early" "$(cat "$work/status")"
sh -c 'ulimit -f 0; exec "$0"' "$program" >"$out" 2>"$err"
whole "ulimit -f 0 on a file" $?
(unset SHELL; exec "$program") >"$out" 2>"$err"
whole "SHELL unset" $? "$out"
check "SHELL unset: Shell" "" "$(value Shell "$out")"
for shell in '' / /usr/local/bin/ /usr/local/bin/zsh; do
	shown=${shell##*/}
	[ "$shell" != / ] || shown=/
	SHELL=$shell "$program" >"$out" 2>"$err"
	whole "SHELL '$shell'" $? "$out"
	check "SHELL '$shell': Shell" "$shown" "$(value Shell "$out")"
done
# libkvm needs two descriptors; with fewer free the count is left out.
sh -c 'ulimit -n 4; exec "$0"' "$program" >"$out" 2>"$err"
whole "ulimit -n 4" $? "$out"
check "ulimit -n 4: Processes" "" "$(value Processes "$out")"
facts "ulimit -n 5" sh -c 'ulimit -n 5; exec "$0"' "$program"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
