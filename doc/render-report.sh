#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Renders the real report of this machine, 256 colours and all, to
# doc/report.png: the program's output becomes HTML coloured with the xterm
# 256-colour palette on a dark grey ground (colour 16, the outline, is
# black), and headless Chromium takes its picture.
# Usage: doc/render-report.sh [path/to/sysfacts]
# Needs python3 and chromium (Debian: apt-get install chromium fonts-dejavu-core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

program=${1:-}
if [ -z "$program" ]; then
	cmake -S "$root" -B "$work/build" -DBUILD_TESTING=OFF >/dev/null
	cmake --build "$work/build" >/dev/null
	program=$work/build/sysfacts
fi
"$program" >"$work/report.txt"

python3 - "$work/report.txt" "$work/report.html" <<'PYTHON'
import html, re, sys

def xterm(n):
    """The colour of palette entry n as xterm draws it."""
    base = ["000000", "cd0000", "00cd00", "cdcd00", "0000ee", "cd00cd",
            "00cdcd", "e5e5e5", "7f7f7f", "ff0000", "00ff00", "ffff00",
            "5c5cff", "ff00ff", "00ffff", "ffffff"]
    if n < 16:
        return base[n]
    if n < 232:
        n -= 16
        steps = [0, 95, 135, 175, 215, 255]
        return "%02x%02x%02x" % (steps[n // 36], steps[n // 6 % 6], steps[n % 6])
    grey = 8 + (n - 232) * 10
    return "%02x%02x%02x" % (grey, grey, grey)

text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
out, colour, bold = [], None, False
for part in re.split(r"(\x1b\[[0-9;]*m)", text):
    match = re.fullmatch(r"\x1b\[([0-9;]*)m", part)
    if not match:
        if part:
            style = "color:#%s;" % colour if colour else ""
            style += "font-weight:bold;" if bold else ""
            out.append('<span style="%s">%s</span>' % (style, html.escape(part)))
        continue
    codes = [int(c) if c else 0 for c in match.group(1).split(";")]
    i = 0
    while i < len(codes):
        code = codes[i]
        if code == 0:
            colour, bold = None, False
        elif code == 1:
            bold = True
        elif 30 <= code <= 37:
            colour = xterm(code - 30)
        elif code == 38 and i + 2 < len(codes) and codes[i + 1] == 5:
            colour = xterm(codes[i + 2])
            i += 2
        i += 1
open(sys.argv[2], "w").write(
    "<!DOCTYPE html><html><head><meta charset='utf-8'><style>"
    "body{margin:0;background:#303030;color:#e5e5e5}"
    "pre{margin:0;padding:8px 16px;font:15px/18px 'DejaVu Sans Mono',monospace}"
    "</style></head><body><pre>" + "".join(out) + "</pre></body></html>")
PYTHON

chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
	--disable-background-networking --disable-component-update --disable-sync \
	--user-data-dir="$work/profile" --hide-scrollbars --window-size=760,420 \
	--screenshot="$root/doc/report.png" "file://$work/report.html" \
	>/dev/null 2>&1
echo "wrote $root/doc/report.png"
