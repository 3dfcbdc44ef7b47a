#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
# Runs the built program with standard outputs that are not plain files: a
# non-blocking one-page pipe read slowly, a non-blocking socket with the
# smallest send buffer, a full socket with a send timeout while the program
# is stopped and continued twenty times, and a file, into which the report
# must leave in one write.  Each run must exit 0 with nothing on standard
# error and deliver the whole report, 22 line feeds, as a plain run does.
# Usage: output_test.py path/to/sysfacts
import fcntl, os, shutil, signal, socket, subprocess, sys, tempfile, time

program = sys.argv[1]
passes = failures = 0
F_SETPIPE_SZ = 1031


def check(name, status, report, error):
    global passes, failures
    problems = []
    if status != 0:
        problems.append("exit status %d" % status)
    if error:
        problems.append("standard error: %r" % error[:200])
    if report.count(b"\n") != 22 or len(report) < 13000:
        problems.append("%d bytes, %d line feeds" %
                        (len(report), report.count(b"\n")))
    if problems:
        failures += 1
        print("FAIL: %s: %s" % (name, "; ".join(problems)))
    else:
        passes += 1
        print("ok: %s: %d bytes" % (name, len(report)))


def run_into(name, write_end, read_end, pause=0.0, before_read=None):
    """Runs the program with write_end as its standard output, and reads
    read_end to its end, pausing between reads of 512 bytes."""
    error = tempfile.TemporaryFile()
    child = subprocess.Popen([program], stdout=write_end, stderr=error,
                             env={"SHELL": "/bin/sh"})
    write_end.close()
    if before_read:
        before_read(child)
    os.set_blocking(read_end.fileno(), True)
    report = b""
    while True:
        chunk = os.read(read_end.fileno(), 512)
        if not chunk:
            break
        report += chunk
        time.sleep(pause)
    status = child.wait(timeout=60)
    error.seek(0)
    check(name, status, report, error.read())


# A pipe of one page, non-blocking at the writer's end, read slowly.
read_fd, write_fd = os.pipe()
fcntl.fcntl(write_fd, F_SETPIPE_SZ, 4096)
os.set_blocking(write_fd, False)
run_into("non-blocking one-page pipe read slowly", os.fdopen(write_fd, "wb"),
         os.fdopen(read_fd, "rb"), pause=0.002)

# A socket with the smallest send buffer the kernel allows, non-blocking.
ours, theirs = socket.socketpair()
theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1)
ours.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1)
theirs.setblocking(False)
run_into("non-blocking socket with the smallest send buffer", theirs, ours,
         pause=0.002)


# A full socket with a send timeout: the writer is stopped and continued
# twenty times while it waits, and each continue interrupts its write.
def stop_and_continue(child):
    time.sleep(0.2)
    for _ in range(20):
        child.send_signal(signal.SIGSTOP)
        time.sleep(0.02)
        child.send_signal(signal.SIGCONT)
        time.sleep(0.02)


ours, theirs = socket.socketpair()
theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1)
ours.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1)
theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDTIMEO,
                  (1).to_bytes(8, sys.byteorder) + (0).to_bytes(8, sys.byteorder))
run_into("20 stops and continues on a full socket with a send timeout",
         theirs, ours, before_read=stop_and_continue)

# Into a file, the report leaves in one write.  A sanitizer's runtime, which
# cannot run under a tracer, leaves the count of writes out.
traceable = shutil.which("strace") and b"__asan_init" not in open(
    program, "rb").read()
with tempfile.TemporaryDirectory() as work:
    report_path = os.path.join(work, "report")
    with open(report_path, "wb") as report_file:
        status = subprocess.call([program], stdout=report_file)
    check("a file", status, open(report_path, "rb").read(), b"")
    if traceable:
        trace = os.path.join(work, "trace")
        with open(report_path, "wb") as report_file:
            subprocess.call(["strace", "-qq", "-e", "trace=write,writev",
                             "-o", trace, program], stdout=report_file)
        writes = [line for line in open(trace)
                  if line.startswith(("write(1,", "writev(1,"))]
        if len(writes) == 1:
            passes += 1
            print("ok: a file: the report left in one write")
        else:
            failures += 1
            print("FAIL: a file: the report left in %d writes" % len(writes))

print("%d passed, %d failed" % (passes, failures))
sys.exit(1 if failures else 0)
