// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A main window on its own simulation, driven as a user would (see
// tests/ui/common/driver.h), with every service point of the collision loop
// serving events so that runs repeat exactly.
#pragma once

#include "tests/ui/common/driver.h"

#include "core/simulation.h"
#include "ui/best/frmbest.h"
#include "ui/main/frmmain.h"
#include "ui/model/runmodel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace kormix::test {

class MainWindowTest : public ::testing::Test
{
protected:
    // Every number written with this decimal separator.
    explicit MainWindowTest(char decimalPoint = '.')
        : model(decimalPoint)
    {
        model.setServiceInterval(0);
        model.fixSeed(20240601);
        frm.show();
    }

    void setup(const Molecules &counts) { setupSystem(frm, script, counts); }
    void setup(const Atoms &counts) { setupSystem(frm, script, counts); }
    std::size_t click(QPushButton *button, std::vector<Step> steps)
    {
        return test::click(button, std::move(steps));
    }
    Step at(std::int64_t n, std::function<void()> act) { return test::at(sim, n, std::move(act)); }
    Step stopAt(std::int64_t n) { return test::stopAt(model, frm, n); }

    ui::RunModel model;
    const Simulation &sim = model.sim();
    QuietDesktop desktop;
    ui::FrmMain frm{model, desktop.desktop()};
    ModalScript script;
};

} // namespace kormix::test
