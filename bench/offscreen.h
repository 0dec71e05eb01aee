// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main() of a benchmark of the windows: Qt's offscreen platform, one
// QApplication around every benchmark, and `after` run while it still exists.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

namespace kormix::bench {

inline int runOffscreen(int argc, char **argv, const std::function<void()> &after = {})
{
    // Offscreen unless the platform is asked for (QT_QPA_PLATFORM=xcb under
    // Xvfb measures a real window system).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (after)
        after();
    return 0;
}

} // namespace kormix::bench
