// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest, Qt Test and the Qt Core headers that the tests include,
// parsed once per test program.
#pragma once

#include "pch/CorePch.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
