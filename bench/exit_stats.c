/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Runs a program with its standard output on /dev/null and prints, as it
 * exits, its peak resident memory (VmHWM, in KiB) and the minor page faults
 * it took after exec.  Both are read at ptrace's exit event, from the
 * program's own memory map, so nothing of this measuring process counts.
 * Usage: exit_stats program
 */
#include <sys/ptrace.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* The tenth field of /proc/PID/stat: minor faults. */
static long minor_faults(pid_t pid)
{
	char path[64], text[1024];
	snprintf(path, sizeof(path), "/proc/%d/stat", (int)pid);
	FILE *file = fopen(path, "r");
	if (file == NULL || fgets(text, sizeof(text), file) == NULL)
		return -1;
	fclose(file);
	char *p = strrchr(text, ')');
	long faults = -1;
	/* After the name: state ppid pgrp session tty tpgid flags minflt. */
	if (p == NULL || sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %ld",
	                        &faults) != 1)
		return -1;
	return faults;
}

static long peak_kib(pid_t pid)
{
	char path[64], line[256];
	long kib = -1;
	snprintf(path, sizeof(path), "/proc/%d/status", (int)pid);
	FILE *file = fopen(path, "r");
	if (file == NULL)
		return -1;
	while (fgets(line, sizeof(line), file) != NULL)
		if (sscanf(line, "VmHWM: %ld kB", &kib) == 1)
			break;
	fclose(file);
	return kib;
}

int main(int argc, char **argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: exit_stats program\n");
		return 2;
	}
	pid_t pid = fork();
	if (pid == 0) {
		int null = open("/dev/null", O_WRONLY);
		dup2(null, 1);
		ptrace(PTRACE_TRACEME, 0, NULL, NULL);
		execv(argv[1], argv + 1);
		_exit(127);
	}
	int status;
	waitpid(pid, &status, 0); /* stopped at its exec */
	long faults_at_exec = minor_faults(pid);
	ptrace(PTRACE_SETOPTIONS, pid, NULL, (void *)PTRACE_O_TRACEEXIT);
	ptrace(PTRACE_CONT, pid, NULL, NULL);
	for (;;) {
		waitpid(pid, &status, 0);
		if (WIFEXITED(status) || WIFSIGNALED(status))
			return 1;
		if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)))
			break;
		ptrace(PTRACE_CONT, pid, NULL,
		       (void *)(long)(WIFSTOPPED(status) &&
		                              WSTOPSIG(status) != SIGTRAP
		                          ? WSTOPSIG(status)
		                          : 0));
	}
	printf("%ld %ld\n", peak_kib(pid), minor_faults(pid) - faults_at_exec);
	ptrace(PTRACE_CONT, pid, NULL, NULL);
	waitpid(pid, &status, 0);
	return 0;
}
