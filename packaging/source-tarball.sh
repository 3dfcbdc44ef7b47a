#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Makes the release tarball, sysfacts-VERSION.tar.gz, in the folder $1: the
# files git tracks in this checkout but the port's distinfo (which names
# this tarball), under sysfacts-VERSION/, with the release's date from
# CHANGELOG.md as every file's time, root as owner, names in byte order and
# modes 644 or 755, so that any clone of one commit gives the same bytes.
# Needs git, GNU tar (named by $TAR where it is not tar: gtar on FreeBSD)
# and gzip.
# Usage: sh packaging/source-tarball.sh OUTPUT_FOLDER
set -eu
out=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(sysfacts VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
date=$(sed -n 's/^## [0-9.]* (\([0-9-]*\))$/\1/p' CHANGELOG.md | head -n 1)
git ls-files -z | tr '\0' '\n' | grep -vx 'packaging/freebsd/distinfo' |
	LC_ALL=C sort |
	"${TAR:-tar}" --create --format=gnu --no-recursion --files-from=- \
		--transform="s,^,sysfacts-$version/," --mtime="$date 00:00:00 UTC" \
		--owner=0 --group=0 --numeric-owner --mode=a=rX,u+w |
	gzip -9n >"$out/sysfacts-$version.tar.gz"
echo "$out/sysfacts-$version.tar.gz"
