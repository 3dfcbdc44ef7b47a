// SPDX-License-Identifier: BSD-2-Clause
/*
 * The scripted platform: it keeps the FreeBSD error contract of the real
 * ones, so the probes meet the same failures here as on a machine.
 */
#include "fake_platform.h"

#include "platform.h"

#include <cerrno>
#include <cstring>
#include <map>

struct platform::kvm_t {
	int unused;
};

struct platform::kinfo_proc {
};

namespace
{

struct Value {
	bool is_string;
	std::string text;
	std::uint64_t integer;
	std::size_t size;
};

struct State {
	std::map<std::string, Value> values;
	std::map<std::string, std::string> environment;
	bool clock_works;
	long long clock_seconds;
	bool open_works;
	bool getprocs_works;
	int process_count;
	int getprocs_calls;
};

State state;
platform::kvm_t handle;
platform::kinfo_proc entries[1];

} // namespace

void fake::reset()
{
	state = State{};
	set_string("kern.hostname", "testhost.example.org");
	set_string("machdep.bootmethod", "UEFI");
	set_string("kern.ostype", "FreeBSD");
	set_string("hw.machine_arch", "amd64");
	set_string("kern.osrelease", "14.1-RELEASE");
	set_string("hw.model", "Intel(R) Core(TM) i5-8250U  CPU @   1.60GHz");
	set_integer("vm.stats.vm.v_free_count", 51200, 4);
	set_integer("hw.pagesize", 4096, 4);
	set_integer("hw.physmem", 536870912, 8);
	set_clock(90061);
	set_processes(42);
	set_env("SHELL", "/usr/local/bin/zsh");
}

void fake::set_string(const std::string &name, const std::string &value)
{
	state.values[name] = Value{true, value, 0, 0};
}

void fake::set_integer(const std::string &name, std::uint64_t value,
                       std::size_t size)
{
	state.values[name] = Value{false, "", value, size};
}

void fake::remove(const std::string &name)
{
	state.values.erase(name);
}

void fake::set_clock(long long seconds)
{
	state.clock_works = true;
	state.clock_seconds = seconds;
}

void fake::fail_clock()
{
	state.clock_works = false;
}

void fake::set_processes(int count)
{
	state.open_works = true;
	state.getprocs_works = true;
	state.process_count = count;
}

void fake::fail_open()
{
	state.open_works = false;
}

void fake::fail_getprocs()
{
	state.getprocs_works = false;
}

int fake::getprocs_calls()
{
	return state.getprocs_calls;
}

void fake::set_env(const std::string &name, const char *value)
{
	if (value == nullptr)
		state.environment.erase(name);
	else
		state.environment[name] = value;
}

int platform::sysctlbyname(const char *name, void *oldp, std::size_t *oldlenp,
                           const void *newp, std::size_t newlen)
{
	if (newp != nullptr || newlen != 0) {
		errno = EPERM;
		return -1;
	}
	auto found = state.values.find(name);
	if (found == state.values.end()) {
		errno = ENOENT;
		return -1;
	}
	const Value &value = found->second;
	std::size_t size = value.is_string ? value.text.size() + 1 : value.size;
	auto narrow = static_cast<std::uint32_t>(value.integer);
	const void *bytes = value.is_string
	                        ? static_cast<const void *>(value.text.c_str())
	                    : size == 4 ? static_cast<const void *>(&narrow)
	                                : &value.integer;
	/*
	 * Like FreeBSD's sysctl_old_user(), copy what fits, then fail with
	 * ENOMEM when that was not all: a caller that used the buffer after a
	 * failure would print a value cut short.
	 */
	std::size_t copied = size < *oldlenp ? size : *oldlenp;
	std::memcpy(oldp, bytes, copied);
	*oldlenp = copied;
	if (copied < size) {
		errno = ENOMEM;
		return -1;
	}
	return 0;
}

platform::kvm_t *platform::kvm_openfiles(const char *, const char *corefile,
                                         const char *, int flags, char *errbuf)
{
	if (!state.open_works || corefile == nullptr ||
	    std::strcmp(corefile, "/dev/null") != 0 ||
	    flags != platform::KVM_OPEN_READ_ONLY) {
		std::strcpy(errbuf, "fake: cannot open the process table");
		return nullptr;
	}
	return &handle;
}

platform::kinfo_proc *platform::kvm_getprocs(platform::kvm_t *kd, int op, int,
                                             int *count)
{
	state.getprocs_calls++;
	if (kd != &handle || op != platform::PROC_SELECTOR_PROCESSES ||
	    !state.getprocs_works) {
		errno = EINVAL;
		return nullptr;
	}
	*count = state.process_count;
	return entries;
}

int platform::clock_gettime(clockid_t clock_id, struct timespec *tp)
{
	if (!state.clock_works || clock_id != platform::UPTIME_CLOCK) {
		errno = EINVAL;
		return -1;
	}
	tp->tv_sec = static_cast<time_t>(state.clock_seconds);
	tp->tv_nsec = 999999999;
	return 0;
}

char *platform::getenv(const char *name)
{
	auto found = state.environment.find(name);
	if (found == state.environment.end())
		return nullptr;
	return found->second.data();
}
