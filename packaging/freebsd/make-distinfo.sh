#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Writes the port's distinfo for a release tarball, as "make makesum" would:
#   packaging/freebsd/make-distinfo.sh build/sysfacts-1.0.0.tar.gz
set -eu
tarball=${1:?usage: make-distinfo.sh sysfacts-VERSION.tar.gz}
name=$(basename "$tarball")
printf 'TIMESTAMP = %s\n' "$(date -u +%s)"
printf 'SHA256 (%s) = %s\n' "$name" "$(sha256sum "$tarball" | cut -d' ' -f1)"
printf 'SIZE (%s) = %s\n' "$name" "$(wc -c <"$tarball" | tr -d ' ')"
