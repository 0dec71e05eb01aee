// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Drives the main window through a run as a user does: the setup dialog, the
// start and stop command, and the modal windows that open on the way. A
// modal window is answered from a timer once it is the active modal window,
// so that a test never blocks on one.
#pragma once

#include "ui/main/frmmain.h"
#include "ui/setup/frmsetup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kormix::test {

// Runs `act` on the next modal window of type T, once it is the active
// modal window (it may open only after a run of collisions). Gives up after
// about ten seconds with a test failure.
template<typename T>
void WhenModal(std::function<void(T *)> act, int attempts = 2000)
{
    QTimer::singleShot(5, [act, attempts]() {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(w);
            return;
        }
        if (attempts > 0)
            WhenModal<T>(act, attempts - 1);
        else
            ADD_FAILURE() << "the expected modal window did not open";
    });
}

// Types text into a field over what it holds, as a user who selected it.
inline void Type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// "Setup System" with the molecule counts typed into the setup dialog.
inline void SetupByMolecules(ui::FrmMain &main,
                             const QString &h2,
                             const QString &hd,
                             const QString &d2)
{
    WhenModal<ui::FrmSetup>([=](ui::FrmSetup *setup) {
        QTest::mouseClick(setup->OptBy[0], Qt::LeftButton);
        Type(setup->nMolec[0], h2);
        Type(setup->nMolec[1], hd);
        Type(setup->nMolec[2], d2);
        QTest::mouseClick(setup->CmdOK, Qt::LeftButton);
    });
    QTest::mouseClick(main.CmdSetup, Qt::LeftButton);
}

// "Setup System" with the atom counts typed into the setup dialog.
inline void SetupByAtoms(ui::FrmMain &main, const QString &h, const QString &d)
{
    WhenModal<ui::FrmSetup>([=](ui::FrmSetup *setup) {
        QTest::mouseClick(setup->OptBy[1], Qt::LeftButton);
        Type(setup->natom[0], h);
        Type(setup->natom[1], d);
        QTest::mouseClick(setup->CmdOK, Qt::LeftButton);
    });
    QTest::mouseClick(main.CmdSetup, Qt::LeftButton);
}

// Watches the run from the collision loop's event services: at every
// service `step` runs, and when it returns true the start button is clicked
// once more, which stops the run.
class RunWatcher
{
public:
    RunWatcher(ui::FrmMain &main, std::function<bool()> step)
        : main_(main)
        , step_(std::move(step))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (busy_ || stopped_)
                return;
            busy_ = true; // a modal window opened by step runs its own loop
            if (step_() && main_.CmdCollide->text() == "Stop Collisions") {
                stopped_ = true;
                QTest::mouseClick(main_.CmdCollide, Qt::LeftButton);
            }
            busy_ = false;
        });
        timer_.start();
    }

private:
    ui::FrmMain &main_;
    std::function<bool()> step_;
    QTimer timer_;
    bool busy_ = false;
    bool stopped_ = false;
};

// Clicks the start button and returns once the run has stopped again, which
// it does as soon as `until` holds at an event service of the loop.
inline void RunUntil(ui::FrmMain &main, std::function<bool()> until)
{
    RunWatcher watcher(main, std::move(until));
    QTest::mouseClick(main.CmdCollide, Qt::LeftButton);
}

} // namespace kormix::test
