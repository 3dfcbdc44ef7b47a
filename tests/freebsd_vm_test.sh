#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Links the FreeBSD program against FreeBSD 13.2's libraries and runs it on a
# FreeBSD 13.2 kernel under qemu: cmake/toolchain-freebsd-amd64.cmake builds
# it, with the report tests where GoogleTest's sources are installed, and
# tests/freebsd_guest.sh checks it in the guest.  Then the picture and labels
# are compared byte for byte with the Linux program's, the facts masked.
# Usage: tests/freebsd_vm_test.sh WORK_FOLDER [LINUX_PROGRAM]
# Needs the test system in shared/freebsd/vm beside the project, clang, lld,
# qemu-system-x86_64 and xorriso; exits 77 when one is missing.
set -eu
. "$(dirname "$0")/surroundings.sh"
work=${1:?usage: freebsd_vm_test.sh WORK_FOLDER [LINUX_PROGRAM]}
linux_program=${2:-}
vm=$(shared_folder freebsd/vm run-freebsd) || exit 77

skip() {
	echo "SKIP: $*"
	exit 77
}
for tool in clang++ ld.lld qemu-system-x86_64 xorriso; do
	command -v $tool >/dev/null 2>&1 ||
		skip "$tool is missing (Debian: apt-get install clang lld qemu-system-x86 xorriso)"
done

mkdir -p "$work"
work=$(cd "$work" && pwd)
sysroot=$work/sysroot
if [ ! -f "$sysroot/usr/lib/crt1.o" ]; then
	rm -rf "$sysroot"
	mkdir -p "$sysroot"
	tar -xJf "$vm"/freebsd-13.2-amd64-sysroot.tar.xz -C "$sysroot"
fi

build=$work/build
testing=OFF
[ ! -f /usr/src/googletest/CMakeLists.txt ] || testing=ON
cmake -S "$root" -B "$build" \
	-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-freebsd-amd64.cmake" \
	-DFREEBSD_SYSROOT="$sysroot" -DSYSFACTS_WERROR=ON \
	-DBUILD_TESTING=$testing >"$work/cmake.log" 2>&1 &&
	cmake --build "$build" -j "$(nproc)" >>"$work/cmake.log" 2>&1 || {
	cat "$work/cmake.log"
	echo "FAIL: the FreeBSD build"
	exit 1
}

# The program a FreeBSD user gets: dynamic, needing base's libkvm and libc
# and nothing of the C++ runtime.
readelf=$(command -v llvm-readelf || command -v readelf)
needed=$("$readelf" -d "$build/sysfacts" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | tr '\n' ' ')
if [ "$needed" != "libkvm.so.7 libc.so.7 " ]; then
	echo "FAIL: the FreeBSD program needs '$needed', not libkvm.so.7 and libc.so.7"
	exit 1
fi
echo "ok   linked: dynamic, needs $needed"

stage=$work/stage
rm -rf "$stage"
mkdir -p "$stage/golden"
cp "$build/sysfacts" "$root/tests/freebsd_guest.sh" "$stage/"
cp "$root/tests/golden/report.txt" "$stage/golden/"
[ ! -x "$build/tests/report_tests" ] || cp "$build/tests/report_tests" "$stage/"
# The log, then the report of the run as root, for the comparison below.
cat >"$stage/run" <<'EOF'
#!/bin/sh
sh /test/freebsd_guest.sh /test >/tmp/log 2>&1
status=$?
cat /tmp/log
echo "--- the report of the run as root"
cat /tmp/results/report.out
exit $status
EOF
chmod +x "$stage/run"

# A second guest, with a brand string that would act on a terminal: an
# escape sequence, a run of spaces, a C1 control in UTF-8 and a euro sign.
cpu_stage=$work/stage-cpu
rm -rf "$cpu_stage"
mkdir -p "$cpu_stage"
cp "$build/sysfacts" "$root/tests/freebsd_guest.sh" "$cpu_stage/"
printf 'Evil?[2J CPU, ?2J \342\202\254 x' >"$cpu_stage/expected-cpu"
cat >"$cpu_stage/run" <<'EOF'
#!/bin/sh
exec sh /test/freebsd_guest.sh /test cpu /test/expected-cpu 2>&1
EOF
chmod +x "$cpu_stage/run"

# The two guests boot side by side.
CPU_MODEL_ID=$(printf 'Evil\033[2J  CPU, \302\2332J \342\202\254 x') \
	"$vm/run-freebsd" -t 300 "$cpu_stage" >"$work/guest-cpu.log" 2>&1 &
cpu_guest=$!
status=0
"$vm/run-freebsd" -t 900 "$stage" >"$work/guest.out" 2>"$work/guest.err" ||
	status=1
wait $cpu_guest || status=1
sed '/^--- the report of the run as root$/,$d' "$work/guest.out"
cat "$work/guest.err" "$work/guest-cpu.log"
sed '1,/^--- the report of the run as root$/d' "$work/guest.out" \
	>"$work/freebsd.out"

# The picture and the labels, with what follows each label removed.
mask() {
	sed 's/\(:\x1b\[0;0m\).*$/\1/; s/\(Uptime: \x1b\[0;0m\).*$/\1/' "$1"
}
if [ -n "$linux_program" ]; then
	"$linux_program" >"$work/linux.out"
	mask "$work/linux.out" >"$work/linux.masked"
	mask "$work/freebsd.out" >"$work/freebsd.masked"
	if cmp "$work/linux.masked" "$work/freebsd.masked"; then
		echo "ok   picture and labels: byte for byte the Linux program's"
	else
		echo "FAIL picture and labels: not the Linux program's"
		status=1
	fi
fi
if [ $status -eq 0 ]; then
	echo "freebsd_vm: every check passed"
else
	echo "freebsd_vm: a check failed"
fi
exit $status
