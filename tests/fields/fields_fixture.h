// SPDX-License-Identifier: BSD-2-Clause
/*
 * What the probes' tests share: a fixture that starts each test from the
 * scripted platform's defaults, and the labels as the terminal receives
 * them.
 */
#ifndef SYSFACTS_FIELDS_FIXTURE_H
#define SYSFACTS_FIELDS_FIXTURE_H

#include "fake_platform.h"

#include <gtest/gtest.h>

#include <string>

inline const std::string CPU_LABEL = "\033[1;31mCPU:\033[0;0m ";
inline const std::string RAM_LABEL = "\033[1;31mRAM:\033[0;0m ";
inline const std::string UPTIME_LABEL = "\033[1;31mUptime: \033[0;0m";

class Fields : public ::testing::Test
{
protected:
	void SetUp() override { fake::reset(); }
};

#endif
