/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The floor of the facts: a program without any C library that makes the
 * system calls the report needs and nothing else.  It lists /proc to its
 * end, calls uname(2), asks for /sys/firmware/efi and /sys/firmware/memmap,
 * reads /proc/cpuinfo and /proc/meminfo a page each, reads the uptime
 * clock, writes REPORT_SIZE bytes to standard output in one write, and
 * exits.  No program that finds these facts out can do less.  x86-64 Linux
 * only; build with -nostdlib -static -DREPORT_SIZE=n.  Built with one of
 * WITHOUT_LISTING, WITHOUT_CPUINFO, WITHOUT_MEMINFO, WITHOUT_ACCESS or
 * WITHOUT_WRITE defined, it leaves that part out, so that the difference
 * in time is what the part costs.
 */
#define SYS_read 0
#define SYS_write 1
#define SYS_open 2
#define SYS_close 3
#define SYS_access 21
#define SYS_uname 63
#define SYS_getdents64 217
#define SYS_clock_gettime 228
#define SYS_exit_group 231
#define CLOCK_BOOTTIME 7
#define O_DIRECTORY 0200000

static long call3(long number, long a, long b, long c)
{
	long result;
	__asm__ volatile("syscall"
	                 : "=a"(result)
	                 : "a"(number), "D"(a), "S"(b), "d"(c)
	                 : "rcx", "r11", "memory");
	return result;
}

static char page[4096] __attribute__((aligned(8)));
static char report[REPORT_SIZE];

static void read_file(const char *path)
{
	long fd = call3(SYS_open, (long)path, 0, 0);
	if (fd >= 0) {
		call3(SYS_read, fd, (long)page, sizeof(page));
		call3(SYS_close, fd, 0, 0);
	}
}

void _start(void)
{
#ifndef WITHOUT_LISTING
	long fd = call3(SYS_open, (long)"/proc", O_DIRECTORY, 0);
	while (call3(SYS_getdents64, fd, (long)page, sizeof(page)) > 0)
		;
#endif
	call3(SYS_uname, (long)page, 0, 0);
#ifndef WITHOUT_ACCESS
	call3(SYS_access, (long)"/sys/firmware/efi", 0, 0);
	call3(SYS_access, (long)"/sys/firmware/memmap", 0, 0);
#endif
#ifndef WITHOUT_CPUINFO
	read_file("/proc/cpuinfo");
#endif
#ifndef WITHOUT_MEMINFO
	read_file("/proc/meminfo");
#endif
	long uptime[2];
	call3(SYS_clock_gettime, CLOCK_BOOTTIME, (long)uptime, 0);
#ifndef WITHOUT_WRITE
	call3(SYS_write, 1, (long)report, sizeof(report));
#endif
	call3(SYS_exit_group, 0, 0, 0);
	__builtin_unreachable();
}
