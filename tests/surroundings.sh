# SPDX-License-Identifier: BSD-2-Clause
# What the test scripts take from around the checkout: the folders of shared
# files beside it, and private mount namespaces to bind files over /proc and
# /sys in.  Sourced, not run; sets $root to the checkout.

root=$(cd "$(dirname "$0")/.." && pwd)

# Prints the folder that holds files matching the pattern $2: the folder $3
# when one is given, else shared/$1 beside the checkout.  When it holds
# none, says so on standard error and fails; the caller then skips.
shared_folder() {
	folder=${3:-$root/../shared/$1}
	if ls "$folder"/$2 >/dev/null 2>&1; then
		(cd "$folder" && pwd)
	else
		echo "SKIP: no $2 in ${3:-shared/$1 beside the project}" >&2
		return 1
	fi
}

# Runs the command that follows $1 in a new mount and PID namespace with a
# /proc of its own, after the shell commands $1; exits 99 when they fail.
# The command's processes are then the only ones that /proc shows.
# unshare(1) would make every mount private, which fails where / is not a
# mount point (a chroot), so the namespace keeps its propagation and /proc
# and /sys are made private before anything is mounted on them.
in_private_mounts() {
	unshare -m -p -f --propagation unchanged sh -c '
		mount --make-rprivate /proc && mount --make-rprivate /sys &&
			mount -t proc proc /proc && eval "$1" || exit 99
		shift
		exec "$@"' sh "$@"
}

# Prints why in_private_mounts cannot run here, or nothing where it can.
private_mounts_refused() {
	if ! mountpoint -q /sys 2>/dev/null; then
		echo "/sys is no mount point that a namespace could make private (a chroot without /sys)"
	elif ! in_private_mounts true true 2>/dev/null; then
		echo "no new mount and PID namespace with /proc and /sys private (needs CAP_SYS_ADMIN)"
	fi
}
