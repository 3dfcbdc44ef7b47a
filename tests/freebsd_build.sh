#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Compiles the FreeBSD build on Linux, for amd64 and arm64: app/, fields/ and
# platform/freebsd/ with clang against FreeBSD 13.4's own headers and
# libc++'s, with -Wall -Wextra -Werror, then checks with llvm-nm that the
# objects need nothing from the C++ runtime and no symbol beyond FreeBSD's
# libc and libkvm, and configures CMake's FreeBSD build with the same
# headers.  Nothing is linked here; tests/freebsd_vm_test.sh links the
# amd64 program against FreeBSD 13.2's libraries and runs it.
# Usage: tests/freebsd_build.sh [folder of the FreeBSD header archives]
# Without a folder it looks in shared/freebsd beside the project.  Exits 77
# when the archives are not there.
set -eu
. "$(dirname "$0")/surroundings.sh"
headers=$(shared_folder freebsd 'freebsd-13.4-*-include.tar.xz' "${1:-}") ||
	exit 77
echo "freebsd_build: headers from $headers"
libcxx=$(ls -d /usr/lib/llvm-*/include/c++/v1 2>/dev/null | tail -n 1)
if [ -z "$libcxx" ]; then
	echo "freebsd_build: libc++'s headers are missing (Debian: libc++-dev)"
	exit 1
fi
nm=$(command -v llvm-nm || ls /usr/bin/llvm-nm-* 2>/dev/null | tail -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What the objects may take from the system: the calls of the platform
# layer and the standard output of the report, from libc and libkvm, and
# what the compiler itself asks of libc (the stack protector, memcpy).
allowed='
__error
__stack_chk_fail
__stack_chk_guard
__stdoutp
clearerr
clock_gettime
close
fcntl
ferror
fputs
fwrite
getenv
kvm_getprocs
kvm_openfiles
memcpy
memset
open
printf
putchar
puts
setvbuf
signal
snprintf
strcmp
strlen
strrchr
sysctlbyname
vsnprintf
'

status=0
for arch in amd64:x86_64 arm64:aarch64; do
	name=${arch%%:*}
	target=${arch#*:}-unknown-freebsd13.4
	sysroot=$work/$name
	mkdir -p "$sysroot"
	tar -xJf "$headers/freebsd-13.4-$name-include.tar.xz" -C "$sysroot"
	objects=
	for source in app/*.cpp fields/*.cpp \
		platform/freebsd/*.cpp; do
		object=$work/$name-$(echo "$source" | tr / -).o
		clang++ --target="$target" --sysroot="$sysroot" -nostdinc++ \
			-isystem "$libcxx" -std=c++17 -O2 -Wall -Wextra -Werror \
			-fno-exceptions -fno-rtti -I "$root/app" -I "$root/art" \
			-I "$root/fields" -I "$root/platform" -I "$root/platform/freebsd" \
			-c "$root/$source" -o "$object"
		objects="$objects $object"
	done
	# Symbols the objects define among themselves are not needed outside.
	"$nm" --defined-only --format=just-symbols $objects | sort -u \
		>"$work/defined"
	"$nm" --undefined-only --format=just-symbols $objects | sort -u |
		comm -23 - "$work/defined" >"$work/needed"
	echo "$allowed" | sed '/^$/d' | sort >"$work/allowed"
	outside=$(comm -23 "$work/needed" "$work/allowed")
	if [ -n "$outside" ]; then
		echo "freebsd_build: $name objects need symbols beyond libc and libkvm:"
		echo "$outside"
		status=1
	else
		echo "freebsd_build: $name: compiled clean; needs only" \
			"$(tr '\n' ' ' <"$work/needed")"
	fi
done

# CMake's FreeBSD branch configures and builds the libraries too; the
# program itself would need FreeBSD's libraries to link.
cmake -S "$root" -B "$work/cmake" -DCMAKE_SYSTEM_NAME=FreeBSD \
	-DCMAKE_CXX_COMPILER=clang++ \
	-DCMAKE_CXX_COMPILER_TARGET=x86_64-unknown-freebsd13.4 \
	-DCMAKE_SYSROOT="$work/amd64" \
	-DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY \
	-DCMAKE_CXX_FLAGS="-nostdinc++ -isystem $libcxx" -DSYSFACTS_WERROR=ON \
	>"$work/cmake.log" 2>&1 &&
	cmake --build "$work/cmake" --target sysfacts_report sysfacts_platform \
		>>"$work/cmake.log" 2>&1 || {
	cat "$work/cmake.log"
	echo "freebsd_build: CMake's FreeBSD build failed"
	status=1
}
[ "$status" -ne 0 ] || echo "freebsd_build: CMake's FreeBSD build of the libraries: clean"
exit $status
