// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Answers the modal windows that handlers open, one scripted action per
// window in the order they open, and records what was opened. A modal window
// without an action left is closed at once and counted as unexpected, so a
// test never blocks on one.
#pragma once

#include "core/simulation.h"
#include "ui/main/frmmain.h"
#include "ui/setup/frmsetup.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace kormix::test {

class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    ModalScript() { qApp->installEventFilter(this); }
    ~ModalScript() override { qApp->removeEventFilter(this); }

    ModalScript &Then(Action action)
    {
        actions_.push_back(std::move(action));
        return *this;
    }

    // Message box texts, and the object names of other modal windows, in the
    // order they opened.
    QStringList opened;
    // Modal windows other than message boxes that found no action left.
    int unexpected = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *w = static_cast<QWidget *>(watched);
        if (!w->isWindow() || !w->isModal())
            return false;
        auto *box = qobject_cast<QMessageBox *>(w);
        opened << (box ? box->text() : w->objectName());
        Action action = Close;
        if (box) {
            // Messages are read and dismissed.
        } else if (actions_.empty()) {
            ++unexpected;
        } else {
            action = std::move(actions_.front());
            actions_.pop_front();
        }
        // Runs once the window's own event loop has started.
        QTimer::singleShot(0, w, [w, action] { action(w); });
        return false;
    }

public:
    // Dismisses a message box with its OK button, or closes any other window
    // as its frame's close control would.
    static void Close(QWidget *w)
    {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            box->button(QMessageBox::Ok)->click();
        else
            w->close();
    }

private:
    std::deque<Action> actions_;
};

// Fills the setup dialog by molecules and presses OK.
inline ModalScript::Action SetupByMolecules(QString h2, QString d2, QString hd, bool saveAll = true)
{
    return [=](QWidget *w) {
        auto *setup = qobject_cast<ui::FrmSetup *>(w);
        if (!setup) {
            ADD_FAILURE() << "expected the setup dialog, got " << w->objectName().toStdString();
            ModalScript::Close(w);
            return;
        }
        setup->OptBy[0]->setChecked(true);
        setup->nMolec[0]->setText(h2);
        setup->nMolec[2]->setText(d2);
        setup->nMolec[1]->setText(hd);
        (saveAll ? setup->OptDisplayAll : setup->OptDisplayBest)->setChecked(true);
        setup->CmdOK->click();
    };
}

} // namespace kormix::test
