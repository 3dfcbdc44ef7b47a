// SPDX-License-Identifier: BSD-2-Clause
/*
 * Read before every source of the musl program.  libstdc++'s headers were
 * configured for glibc and test its version with __GLIBC_PREREQ, which
 * musl does not define; with no glibc there, every such test says no.
 */
#ifndef __GLIBC_PREREQ
#define __GLIBC_PREREQ(major, minor) 0
#endif
