// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt Widgets headers that the screens include, parsed once for all of
// them.
#pragma once

#include "pch/CorePch.h"

#include <QAction>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
