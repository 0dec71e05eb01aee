// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The batch mode: a system set up, collided and written to files from the
// command line, without a window, for teachers preparing data and for
// scripts.
#pragma once

#include <QStringList>

#include <iosfwd>

namespace kormix {

// True when the command line asks for the batch mode or only for help or the
// version: main() then runs runBatch instead of the windows.
bool wantsBatch(int argc, char **argv);

// Runs the batch mode on the program's command line (argv[0] is the
// program) and returns the exit code: 0 done, 1 a file could not be written,
// 2 a bad argument (nothing is written then). It needs no display.
int runBatch(int argc, char **argv);

// The same on arguments already split, with the summary and help going to
// `out` and messages and progress to `err`. A QCoreApplication must exist.
int runBatch(const QStringList &arguments, std::ostream &out, std::ostream &err);

} // namespace kormix
