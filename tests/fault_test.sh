#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program where a shell start-up or a container can put it:
# standard output full or closed, an empty or hostile environment, a host
# name with control bytes, /sys/firmware masked, odd files bound over /proc.
# Each run must exit 0 with nothing on standard error and, wherever standard
# output can be written, the whole frame with every fact it shows true.
# Usage: fault_test.sh path/to/sysfacts path/to/golden/report.txt
set -u
program=$1
golden=$2
skipped=0
. "$(dirname "$0")/report_checks.sh"

skip() {
	echo "SKIP: $*"
	skipped=1
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
# A file-size limit that standard output, a file, reaches.
sh -c 'ulimit -f 8 && exec "$0"' "$program" >"$work/out" 2>"$work/err"
status=$?
check_quiet "file-size limit"
# A reader that takes the report slowly, through a Unix socket with a send
# timeout, while the program is stopped and continued as it writes: the
# interrupted write (EINTR) is made again and the report arrives whole.
if command -v python3 >/dev/null; then
	run python3 -c '
import signal, socket, struct, subprocess, sys, time
ours, theirs = socket.socketpair()
theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 4096)
theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDTIMEO, struct.pack("ll", 20, 0))
program = subprocess.Popen([sys.argv[1]], stdout=theirs.fileno())
theirs.close()
for _ in range(3):
    time.sleep(0.2)
    program.send_signal(signal.SIGSTOP)
    time.sleep(0.1)
    program.send_signal(signal.SIGCONT)
report = b""
while True:
    part = ours.recv(65536)
    if not part:
        break
    report += part
sys.stdout.buffer.write(report)
sys.exit(program.wait())' "$program"
	check_run "stopped and continued while writing to a socket" processes=2
else
	skip "a stopped writer: no python3"
fi
# Too few file descriptors to open /proc or its files.  A dynamic program
# could not even load its libraries.
if ldd "$program" >/dev/null 2>&1; then
	skip "file descriptors: a dynamic program needs them for its libraries"
else
	run sh -c 'ulimit -n 3 && exec "$0"' "$program"
	check_run "no file descriptor free"
	[ "$(field Processes)" = "" ] ||
		fail "no file descriptor free: Processes $(field Processes)"
fi

run env -i "$program"
check_run "empty environment" shell=
[ "$(field Shell)" = "" ] || fail "empty environment: Shell is not bare"

# SHELL values and the name the Shell row must show: the last component,
# with every control character but tab shown as '?'.
while IFS='|' read -r value shown; do
	value=$(printf '%b' "$value")
	shown=$(printf '%b' "$shown")
	run env SHELL="$value" "$program"
	check_run "SHELL '$value'" shell="$shown"
	[ "$(field Shell)" = "$shown" ] ||
		fail "SHELL '$value': shows '$(field Shell)'"
done <<'TABLE'
/bin/sh|sh
/usr/bin/\0200\0377\0303\0251sh|?\0377\0303\0251sh
/bin/line\nfeed|line?feed
/bin/\0033[2J\0033[Hclear|?[2J?[Hclear
/bin/\0033]0;title\0007|?]0;title?
/bin/t\tab|t\tab
/bin/\r\b\0177|???
TABLE

# Linux takes no environment string longer than 128 KiB (MAX_ARG_STRLEN), so
# the longest SHELL that can reach the program stands in for 1 MiB.
long=$(head -c 131000 /dev/zero | tr '\0' 'x')
run env SHELL="/bin/$long" "$program"
check_run "long SHELL" shell="$long"
[ "$(field Shell)" = "$long" ] || fail "long SHELL: the name is not whole"

# Host names with control bytes, in a UTS namespace of their own.
if unshare -u true 2>/dev/null && command -v python3 >/dev/null; then
	while IFS='|' read -r value shown; do
		shown=$(printf '%b' "$shown")
		run unshare -u python3 -c '
import os, socket, sys
socket.sethostname(sys.argv[1].encode("latin-1").decode("unicode_escape").encode("latin-1"))
os.execv(sys.argv[2], [sys.argv[2]])' "$value" "$program"
		check_run "host name '$value'" host="$shown"
		[ "$(field Hostname)" = "$shown" ] ||
			fail "host name '$value': shows '$(field Hostname)'"
	done <<'TABLE'
two\nlines|two?lines
\x1b[2J|?[2J
\x1b]0;title\x07|?]0;title?
caf\xc3\xa9|caf\0303\0251
\xc2\x9b2J\xc2\x9bHPWNED\xc2\x9d0;owned\xc2\x9c\xc2\x9b6n|?2J?HPWNED?0;owned??6n
raw\x9b2J\x85|raw?2J?
\xe2\x82\xac\xc5\x91\xe2\x80\xba|\0342\0202\0254\0305\0221\0342\0200\0272
TABLE
else
	skip "host names: no UTS namespace (unshare -u needs CAP_SYS_ADMIN) or no python3"
fi

# The runs below bind files over /proc and /sys in a mount namespace of their
# own.  Runs the program so after the set-up $1, through the command that
# follows it (timeout, setpriv, strace), if any.
private() {
	setup=$1
	shift
	run in_private_mounts "$setup" "$@" "$program"
}
# Checks the last private run, named $1; FACT=TEXT arguments follow.
check_private() {
	[ "$status" -ne 99 ] || fail "$1: set-up failed"
	check_run "$@"
}
# A sanitized build's runtime reads /proc for itself and may report there.
refused=$(private_mounts_refused)
if grep -aq __asan_init "$program"; then
	skip "mount namespace runs: the sanitizer runtime reads /proc itself"
elif [ -n "$refused" ]; then
	skip "mount namespace runs: $refused"
else

	# /sys/firmware holding the entries named, and the boot method that
	# follows; "masked" is the read-only empty tmpfs of container runtimes.
	while IFS='|' read -r entries shown; do
		private "mount -t tmpfs none /sys/firmware &&
			for e in $entries; do mkdir /sys/firmware/\$e; done &&
			mount -o remount,ro /sys/firmware"
		check_private "/sys/firmware holding '$entries'" boot="$shown"
		[ "$(field Bootmethod)" = "$shown" ] ||
			fail "/sys/firmware holding '$entries': Bootmethod" \
				"'$(field Bootmethod)', not '$shown'"
	done <<'TABLE'
|
efi|UEFI
memmap|BIOS
acpi|BIOS
efi memmap acpi|UEFI
devicetree|
fdt devicetree|
TABLE

	# An unreadable /sys/firmware, for a user other than root.
	if command -v setpriv >/dev/null; then
		private "mount -t tmpfs -o mode=0700 none /sys/firmware &&
			mkdir /sys/firmware/memmap" \
			setpriv --reuid=65534 --regid=65534 --clear-groups
		check_private "/sys/firmware unreadable" boot=
		[ "$(field Bootmethod)" = "" ] ||
			fail "/sys/firmware unreadable: Bootmethod $(field Bootmethod)"
	fi

	# /proc/meminfo texts and the RAM row each gives: both figures from
	# the one text whenever it has a MemTotal (a container's own, from
	# lxcfs), the machine's from sysinfo(2) only where it has none, and
	# nothing where its available figure cannot be trusted.
	# Where the figures follow more than a first read of other lines, the
	# whole file is read; a tab may follow the colon; a figure in another
	# unit, or a total of zero, is no view.
	filler=$(awk 'BEGIN { for (i = 0; i < 80; i++) printf "Filler%d:       1 kB\\n", i }')
	n=0
	while IFS='|' read -r text shown; do
		n=$((n + 1))
		printf '%b' "$text" >"$work/meminfo$n"
		total=$machine_total
		[ "$shown" = machine ] || total=${shown#* / }
		private "mount --bind '$work/meminfo$n' /proc/meminfo"
		check_private "/proc/meminfo $n" total="$total"
		case "$shown" in
		machine) [ -n "$(field RAM)" ] || fail "meminfo $n: no RAM" ;;
		*) [ "$(field RAM)" = "$shown" ] ||
			fail "meminfo $n: RAM '$(field RAM)', not '$shown'" ;;
		esac
	done <<TABLE
MemTotal: 2097152 kB\nMemFree: 524288 kB\nMemAvailable: 1572864 kB\n|512M / 2048M
MemTotal: 2097152 kB\nMemFree: 262144 kB\nMemAvailable: 4194304 kB\nBuffers: 131072 kB\nCached: 655360 kB\n|1024M / 2048M
MemTotal: 2097152 kB\nMemFree: 262144 kB\nBuffers: 131072 kB\nCached: 655360 kB\n|1024M / 2048M
MemTotal: 2097152 kB\nMemFree: 2097152 kB\nMemAvailable: 4194304 kB\nBuffers: 1 kB\nCached: 0 kB\n|
MemTotal: 2097152 kB\n|
MemFree: 262144 kB\nMemAvailable: 1572864 kB\n|machine
MemTotal: 2097152 kB\nMemFree: 131072 kB\n${filler}MemAvailable: 1572864 kB\n|512M / 2048M
${filler}MemTotal: 2097152 kB\nMemAvailable: 1572864 kB\n|512M / 2048M
MemTotal:\t2097152 kB\nMemAvailable:\t1572864 kB\n|512M / 2048M
MemTotal: 2048 MB\nMemAvailable: 1536 MB\n|
MemTotal: 2 GB\n|
MemTotal: 0 kB\nMemAvailable: 0 kB\n|
${filler}MemTotal: 2048 MB\n|
TABLE
	private "mount --bind /dev/zero /proc/meminfo"
	check_private "/dev/zero over /proc/meminfo"
	[ -n "$(field RAM)" ] || fail "/dev/zero over /proc/meminfo: no RAM"

	# cpuinfo texts and the CPU row each must give, the name wherever it
	# is in the file: model names with control bytes, one too long to show,
	# lines longer than a first read or a page before the name, and 32-bit
	# ARM's identification lines after a long Features line, which name the
	# core where the kernel's generic model name would not.
	long_line=$(head -c 5000 /dev/zero | tr '\0' f)
	features=$(head -c 1100 /dev/zero | tr '\0' v)
	arm="CPU implementer\t: 0x41\nCPU architecture: 7\nCPU variant\t: 0x0"
	arm="$arm\nCPU part\t: 0xc07\nCPU revision\t: 5\n"
	while IFS='|' read -r text shown; do
		printf '%b' "$text" >"$work/cpuinfo"
		private "mount --bind '$work/cpuinfo' /proc/cpuinfo"
		check_private "cpuinfo '$(printf '%.60s' "$text")'" \
			cpuinfo="$work/cpuinfo"
		[ "$(field CPU)" = "$(printf '%b' "$shown")" ] ||
			fail "cpuinfo '$(printf '%.60s' "$text")': CPU '$(field CPU)'"
	done <<TABLE
model name\t: AMD  EPYC   7B13\n|AMD EPYC 7B13
model name\t: Evil\0033[2J\0033[H\n|Evil?[2J?[H
model name\t: \0033]0;title\0007\n|?]0;title?
model name\t: $(head -c 256 /dev/zero | tr '\0' m)\n|
flags\t: ${features}\nmodel name\t: AMD EPYC\n|AMD EPYC
flags\t: ${long_line}\nmodel name\t: AMD EPYC\n|AMD EPYC
model name\t: ${long_line}\nmodel name\t: AMD EPYC\n|
processor\t: 0\nmodel name\t: ARMv7 Processor rev 5 (v7l)\nFeatures\t: ${features}\n${arm}|ARM Cortex-A7 r0p5
TABLE

	# FIFOs over /proc/cpuinfo: one that nobody writes must not hold the
	# run up, and one written in two steps must not give half a model.
	mkfifo "$work/fifo"
	private "mount --bind '$work/fifo' /proc/cpuinfo" timeout 10
	check_private "a FIFO nobody writes over /proc/cpuinfo" processes=2
	[ "$(field CPU)" = "" ] || fail "FIFO over /proc/cpuinfo: CPU $(field CPU)"
	private "mount --bind '$work/fifo' /proc/cpuinfo || exit 99
		( printf 'model name\t: AMD EP'; sleep 0.2; printf 'YC\n' ) \
			>'$work/fifo' 2>/dev/null &
		sleep 0.1" timeout 10
	check_private "a FIFO written in two steps over /proc/cpuinfo" processes=
	[ "$(field CPU)" = "" ] || fail "FIFO over /proc/cpuinfo: CPU $(field CPU)"
	private "mount --bind '$work/fifo' /proc/meminfo" timeout 10
	check_private "a FIFO over /proc/meminfo" processes=2

	# /proc hidden: the facts from it go missing and the rest stay.
	private "mount -t tmpfs none /proc"
	check_private "/proc hidden"
	[ "$(field Processes)" = "" ] ||
		fail "/proc hidden: Processes $(field Processes)"
	[ "$(field CPU)" = "" ] || fail "/proc hidden: CPU $(field CPU)"
	[ "$(field Hostname)" = "$machine_host" ] ||
		fail "/proc hidden: Hostname $(field Hostname)"
	# Whatever else is mounted over /proc, its numbered folders are not
	# this system's processes: a tmpfs with such folders, one with a plain
	# file named self too, a threaded process's task folder, and the /proc
	# of another PID namespace.
	# A fresh procfs shows the kernel's own cpuinfo, whatever is bound
	# over this /proc/cpuinfo.
	in_private_mounts "mount -t proc proc /proc" cat /proc/cpuinfo \
		>"$work/kernel-cpuinfo"
	while IFS='|' read -r name setup; do
		private "$setup"
		check_private "$name over /proc" cpuinfo="$work/kernel-cpuinfo"
		[ "$(field Processes)" = "" ] ||
			fail "$name over /proc: Processes $(field Processes)"
	done <<TABLE
a tmpfs with numbered folders|mount -t tmpfs none /proc && mkdir /proc/1 /proc/2 /proc/3
a tmpfs with folders and a file self|mount -t tmpfs none /proc && mkdir /proc/1 /proc/2 && echo 1 >/proc/self
a threaded process's task folder|python3 -c 'import threading, time; [threading.Thread(target=time.sleep, args=(60,)).start() for _ in range(3)]; time.sleep(60)' & sleep 0.5; mount --bind /proc/\$!/task /proc
another PID namespace's /proc|unshare -p -f sh -c 'mount -t proc proc /proc && exec sleep 30' & i=0; while [ -e /proc/self ] && [ \$i -lt 100 ]; do sleep 0.05; i=\$((i + 1)); done; [ ! -e /proc/self ]
TABLE

	# And with sysinfo(2) failing too, memory cannot be known at all.
	if command -v strace >/dev/null; then
		private "mount -t tmpfs none /proc" strace -qq -o /dev/null \
			-e trace=sysinfo -e inject=sysinfo:error=EIO
		check_private "/proc hidden, sysinfo failing" processes=2
		[ "$(field RAM)" = "" ] ||
			fail "/proc hidden, sysinfo failing: RAM $(field RAM)"
	fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "fault_test: every run was quiet and exited 0, and every fact shown was true"
[ "$skipped" -eq 0 ] || exit 77
exit 0
