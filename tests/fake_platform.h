// SPDX-License-Identifier: BSD-2-Clause
/*
 * A scripted platform for the tests: every call answers from values the
 * test sets, and any of them can be made absent or made to fail.
 */
#ifndef SYSFACTS_FAKE_PLATFORM_H
#define SYSFACTS_FAKE_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace fake
{

/* A small FreeBSD machine: every name, the clock, the table and SHELL. */
void reset();

void set_string(const std::string &name, const std::string &value);
/* An integer of size bytes (4 or 8), stored as the machine stores it. */
void set_integer(const std::string &name, std::uint64_t value,
                 std::size_t size);
/* The name no longer exists: reads fail with ENOENT. */
void remove(const std::string &name);

void set_clock(long long seconds);
void fail_clock();

void set_processes(int count);
void fail_open();
void fail_getprocs();
int getprocs_calls();

/* A null value unsets the variable. */
void set_env(const std::string &name, const char *value);

} // namespace fake

#endif
