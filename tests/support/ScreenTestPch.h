// SPDX-License-Identifier: GPL-3.0-or-later
// The test headers and the Qt Widgets headers that the screen tests
// include, parsed once.
#pragma once

#include "pch/UiPch.h"
#include "support/TestPch.h"

#include <QApplication>
