#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Installs the program from a build folder and removes it with the uninstall
# target, where a careless removal would take what is not its own: a
# DESTDIR install beside files of the same bytes that another installer
# owns, prefixes holding [ ], ; and a line feed, a relative prefix, repeated
# installs, one that failed part way, a file a user put in the install's
# place, a record someone edited, absolute install folders, and cpack run
# in between.  The removal must take exactly the files the installs put
# there and still hold, and the project's own empty folder, and nothing
# else.
# Usage: install_test.sh path/to/build   (configured and built)
set -u
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {
	if eval "$2"; then
		passed=$((passed + 1))
	else
		failed=$((failed + 1))
		echo "FAIL: $1"
	fi
}
install_to() {
	cmake --install "$build" --prefix "$1" >/dev/null 2>&1
}
uninstall() {
	cmake --build "$build" --target uninstall >"$work/removal" 2>&1
}
# Whether each of the files an install puts under the prefix $1 is there,
# and whether none is.
all_of_ours() {
	[ -f "$1/bin/sysfacts" ] && [ -f "$1/share/man/man1/sysfacts.1.gz" ] &&
		[ -f "$1/share/doc/sysfacts/LICENSE" ] &&
		[ -f "$1/share/doc/sysfacts/CHANGELOG.md" ]
}
none_of_ours() {
	[ ! -e "$1/bin/sysfacts" ] && [ ! -e "$1/share/man/man1/sysfacts.1.gz" ] &&
		[ ! -e "$1/share/doc/sysfacts/LICENSE" ] &&
		[ ! -e "$1/share/doc/sysfacts/CHANGELOG.md" ]
}
rm -f "$build/sysfacts-installs.txt"

# Files of the same bytes that another installer (a package) owns, and an
# install of the same prefix into a staging DESTDIR: a removal without that
# DESTDIR touches neither; one with it takes the staged files alone.
live=$work/live
mkdir -p "$live/bin" "$live/share/man/man1" "$live/share/doc/sysfacts"
cp "$build/sysfacts" "$live/bin/"
cp "$build/sysfacts.1.gz" "$live/share/man/man1/"
cp "$source/LICENSE" "$source/CHANGELOG.md" "$live/share/doc/sysfacts/"
DESTDIR=$work/stage install_to "$live"
check "a DESTDIR install put its files in the staging folder" \
	'all_of_ours "$work/stage$live"'
uninstall
check "a removal without DESTDIR left the package's files" 'all_of_ours "$live"'
check "a removal without DESTDIR left the staged files" \
	'all_of_ours "$work/stage$live"'
DESTDIR=$work/stage uninstall
check "a removal with DESTDIR took the staged files" \
	'none_of_ours "$work/stage$live"'
check "a removal with DESTDIR left the package's files" 'all_of_ours "$live"'

# A prefix holding [ ]: a folder its pattern would match, with a user's
# file in it, stays; so does a user's file in the project's folder.
odd=$work/pre[fix]
mkdir -p "$work/prex/share/doc/sysfacts"
echo notes >"$work/prex/share/doc/sysfacts/notes"
install_to "$odd"
echo notes >"$odd/share/doc/sysfacts/notes"
uninstall
check "a prefix with [ ]: the install removed" 'none_of_ours "$odd"'
check "a prefix with [ ]: the user's file in the folder kept" \
	'[ -f "$odd/share/doc/sysfacts/notes" ]'
check "a prefix with [ ]: the folder its pattern matches kept" \
	'[ -f "$work/prex/share/doc/sysfacts/notes" ]'

# Prefixes holding ; and a line feed, beside files named like their parts.
echo mine >"$work/a"
echo mine >"$work/b"
semicolon="$work/a;b"
line_feed="$work/c
d"
install_to "$semicolon"
install_to "$line_feed"
check "prefixes with ; and a line feed: installed" \
	'all_of_ours "$semicolon" && all_of_ours "$line_feed"'
uninstall
check "prefixes with ; and a line feed: the installs removed" \
	'none_of_ours "$semicolon" && none_of_ours "$line_feed"'
check "prefixes with ; and a line feed: the files named like their parts kept" \
	'[ -f "$work/a" ] && [ -f "$work/b" ]'
check "prefixes with ; and a line feed: the folders' own empty folder removed" \
	'[ ! -e "$semicolon/share/doc/sysfacts" ]'

# A relative prefix, installed twice, then the removal from elsewhere; a
# second prefix; a prefix that did not exist.
(cd "$work" && install_to relative && install_to relative)
install_to "$work/second"
install_to "$work/new/deep/prefix"
check "a relative prefix is noted once" \
	'[ "$(wc -l <"$build/sysfacts-installs.txt")" -eq 3 ]'
uninstall
check "a relative prefix, a second one and a new one: all removed" \
	'none_of_ours "$work/relative" && none_of_ours "$work/second" &&
	none_of_ours "$work/new/deep/prefix"'
check "the record goes with the last install" \
	'[ ! -e "$build/sysfacts-installs.txt" ]'

# A user's wrapper where the program was, and a link where the licence was.
install_to "$work/wrapped"
printf '#!/bin/sh\nexec true\n' >"$work/wrapped/bin/sysfacts"
rm "$work/wrapped/share/doc/sysfacts/LICENSE"
ln -s "$source/LICENSE" "$work/wrapped/share/doc/sysfacts/LICENSE"
uninstall
check "a user's wrapper kept" 'grep -q "exec true" "$work/wrapped/bin/sysfacts"'
check "a user's link kept" '[ -L "$work/wrapped/share/doc/sysfacts/LICENSE" ]'
check "the rest of that install removed" \
	'[ ! -e "$work/wrapped/share/man/man1/sysfacts.1.gz" ]'

# An install that failed part way: what it put in place is removed.
mkdir -p "$work/broken/share"
: >"$work/broken/share/man"
install_to "$work/broken"
check "a failed install put the program in place" '[ -f "$work/broken/bin/sysfacts" ]'
uninstall
check "a failed install's program removed" '[ ! -e "$work/broken/bin/sysfacts" ]'
check "a failed install: the user's file in the way kept" '[ -f "$work/broken/share/man" ]'

# A record someone edited: lines that are no record, and records that name
# folders holding other files under the program's names.
mkdir -p "$work/victim/bin" "$work/victim/doc"
echo mine >"$work/victim/bin/sysfacts"
echo mine >"$work/victim/doc/LICENSE"
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
{
	echo "file $work/a"
	echo "folder $work"
	echo "h h$(hex "$work/victim/bin") h$(hex "$work/victim") h$(hex "$work/victim/doc")"
	echo "h h$(hex "$work") h$(hex "$work") h$(hex "$work")"
} >"$build/sysfacts-installs.txt"
uninstall
check "an edited record: the user's files kept" \
	'[ -f "$work/a" ] && [ -f "$work/victim/bin/sysfacts" ] &&
	[ -f "$work/victim/doc/LICENSE" ] && [ -d "$work/victim/doc" ]'
rm -f "$build/sysfacts-installs.txt"

# cpack between an install and its removal leaves the record alone.
install_to "$work/packed"
(cd "$build" && cpack -G TGZ >/dev/null 2>&1)
uninstall
check "cpack in between: the install removed" 'none_of_ours "$work/packed"'

# Absolute install folders, and a relative one that CMake makes absolute:
# the install ends, and the removal finds the files there.
for mandir in "$work/manual" "relative-manual"; do
	rm -rf "$work/absolute"
	(cd "$work" && cmake -S "$source" -B "$work/absolute" -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_MANDIR:PATH="$mandir" >/dev/null &&
		cmake --build "$work/absolute" >/dev/null 2>&1)
	timeout 120 cmake --install "$work/absolute" --prefix "$work/abs" \
		>/dev/null 2>&1
	ended=$?
	check "install folder $mandir: the install ended" '[ "$ended" -ne 124 ]'
	page=$(find "$work" -name sysfacts.1.gz -path "*manual*")
	check "install folder $mandir: the manual page installed" '[ -n "$page" ]'
	cmake --build "$work/absolute" --target uninstall >/dev/null 2>&1
	check "install folder $mandir: removed" \
		'[ -z "$(find "$work" -name sysfacts.1.gz -path "*manual*")" ] &&
		none_of_ours "$work/abs"'
done

echo "install_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
