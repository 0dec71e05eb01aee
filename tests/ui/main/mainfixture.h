// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A main window on its own simulation, driven as a user would: modal windows
// are answered by a script, and actions during a run are taken from inside the
// collision loop's event service, where the user's clicks arrive.
#pragma once

#include "tests/ui/main/modalscript.h"

#include "core/simulation.h"
#include "ui/best/frmbest.h"
#include "ui/main/frmmain.h"

#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

// Failure messages show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kormix::test {

// Something the user does once `when` holds at an event service.
struct Step
{
    std::function<bool()> when;
    std::function<void()> act;
};

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
    {
        // Every service point serves events, so that runs repeat exactly.
        frm.SetServiceInterval(0);
        sim.rng.FixSeed(20240601);
        frm.show();
    }

    // "Setup System" with the dialog filled in by molecules and OK pressed.
    void Setup(QString h2, QString d2, QString hd, bool saveAll = true)
    {
        script.Then(SetupByMolecules(h2, d2, hd, saveAll));
        frm.CmdSetup->click();
    }

    // Clicks a button; the steps are taken in order while it runs. Returns
    // how many were taken.
    std::size_t Click(QPushButton *button, std::vector<Step> steps)
    {
        std::size_t next = 0;
        bool acting = false;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (acting || next >= steps.size() || !steps[next].when())
                return;
            acting = true;
            const std::function<void()> act = steps[next++].act;
            act();
            acting = false;
        });
        timer.start();
        button->click();
        return next;
    }

    // A step once at least n collisions have run.
    Step At(std::int64_t n, std::function<void()> act)
    {
        return {[this, n] { return sim.bRunning && sim.nCollisions >= n; }, std::move(act)};
    }
    Step StopAt(std::int64_t n)
    {
        return At(n, [this] { frm.CmdCollide->click(); });
    }

    Simulation sim;
    ui::FrmMain frm{sim};
    ModalScript script;
};

} // namespace kormix::test
