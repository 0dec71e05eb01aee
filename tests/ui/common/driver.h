// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// Drives the real windows as a user does, in one way for every window test:
// modal windows are answered by a script in the order they open, a system is
// set up by typing into the setup dialog, and actions during a run are taken
// from inside the collision loop's event service, where a user's clicks
// arrive too.
#pragma once

#include "core/simulation.h"
#include "ui/common/desktop.h"
#include "ui/common/twips.h"
#include "ui/main/frmmain.h"
#include "ui/main/helpmenu.h"
#include "ui/main/mostprobable.h"
#include "ui/main/runmenu.h"
#include "ui/main/viewmenu.h"
#include "ui/model/runmodel.h"
#include "ui/setup/frmsetup.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

// Failure messages show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kormix::test {

// Answers the modal windows that handlers open, one scripted action per
// window in the order they open, and records what was opened. A message box
// without an action is read and dismissed with OK; any other modal window
// without an action left is closed at once and counted as unexpected, so a
// test never blocks on one.
class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *)>;

    ModalScript() { qApp->installEventFilter(this); }
    ~ModalScript() override { qApp->removeEventFilter(this); }

    ModalScript &then(Action action)
    {
        actions_.push_back(std::move(action));
        return *this;
    }
    // An action for a window of type T; another kind of window fails the
    // test and is closed.
    template<typename T>
    ModalScript &thenOn(std::function<void(T *)> act)
    {
        return then([act](QWidget *w) {
            if (auto *window = qobject_cast<T *>(w)) {
                act(window);
                return;
            }
            ADD_FAILURE() << "unexpected modal window " << w->objectName().toStdString();
            close(w);
        });
    }

    // Message box texts, and the object names of other modal windows, in the
    // order they opened.
    QStringList opened;
    // Modal windows other than message boxes that found no action left.
    int unexpected = 0;

    // Dismisses a message box with its OK button, or closes any other window
    // as its frame's close control would.
    static void close(QWidget *w)
    {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            box->button(QMessageBox::Ok)->click();
        else
            w->close();
    }

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
        Action action = close;
        if (!actions_.empty() && (!box || boxesScripted_)) {
            action = std::move(actions_.front());
            actions_.pop_front();
        } else if (!box) {
            ++unexpected;
        }
        // Runs once the window's own event loop has started.
        QTimer::singleShot(0, w, [w, action] { action(w); });
        return false;
    }

public:
    // From now on message boxes take the scripted actions in turn too,
    // instead of being dismissed: for tests that look at a box itself.
    void scriptMessageBoxes() { boxesScripted_ = true; }

private:
    std::deque<Action> actions_;
    bool boxesScripted_ = false;
};

// What the setup dialog is given, field by field.
struct Molecules
{
    QString h2 = "0";
    QString hd = "0";
    QString d2 = "0";
    bool saveAll = true;
};
struct Atoms
{
    QString h = "0";
    QString d = "0";
    bool saveAll = true;
};

// The widget that receives the next key: the open menu, else the focused
// control, else the active window.
inline QWidget *keyTarget()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget *focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

// A key pressed on whatever takes it now, as a user presses it.
inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = keyTarget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

// What the desktop does with a window that opens: it becomes the active
// window, and its focus widget gets the keys. The offscreen platform leaves
// that to the program.
inline void activate(QWidget *window)
{
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Types text into a field over what it holds, as a user who selected it.
inline void type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Answers the setup dialog as a user does: `fill` types into it, then the
// save option is clicked and OK pressed.
inline ModalScript::Action answerSetup(bool saveAll, std::function<void(ui::FrmSetup *)> fill)
{
    return [saveAll, fill](QWidget *w) {
        auto *setup = qobject_cast<ui::FrmSetup *>(w);
        if (!setup) {
            ADD_FAILURE() << "expected the setup dialog, got " << w->objectName().toStdString();
            ModalScript::close(w);
            return;
        }
        fill(setup);
        QTest::mouseClick(saveAll ? setup->OptDisplayAll : setup->OptDisplayBest, Qt::LeftButton);
        QTest::mouseClick(setup->CmdOK, Qt::LeftButton);
    };
}

// Fills the setup dialog by molecules or by atoms and presses OK.
inline ModalScript::Action fillSetup(const Molecules &m)
{
    return answerSetup(m.saveAll, [m](ui::FrmSetup *setup) {
        QTest::mouseClick(setup->OptBy[0], Qt::LeftButton);
        type(setup->nMolec[0], m.h2);
        type(setup->nMolec[1], m.hd);
        type(setup->nMolec[2], m.d2);
    });
}
inline ModalScript::Action fillSetup(const Atoms &a)
{
    return answerSetup(a.saveAll, [a](ui::FrmSetup *setup) {
        QTest::mouseClick(setup->OptBy[1], Qt::LeftButton);
        type(setup->natom[0], a.h);
        type(setup->natom[1], a.d);
    });
}

// "Setup System", with the dialog filled in.
template<typename Counts>
void setupSystem(ui::FrmMain &main, ModalScript &script, const Counts &counts)
{
    script.then(fillSetup(counts));
    QTest::mouseClick(main.CmdSetup, Qt::LeftButton);
}

// Something the user does once `when` holds at an event service.
struct Step
{
    std::function<bool()> when;
    std::function<void()> act;
};

// A step once the run has reached n collisions.
inline Step at(const Simulation &sim, std::int64_t n, std::function<void()> act)
{
    return {[&sim, n] { return sim.running() && sim.nCollisions >= n; }, std::move(act)};
}
// "Stop Collisions" once `until` holds while collisions run.
inline Step stopWhen(const ui::RunModel &model, ui::FrmMain &main, std::function<bool()> until)
{
    return {[&model, until] { return model.bRunning() && until(); },
            [&main] { QTest::mouseClick(main.CmdCollide, Qt::LeftButton); }};
}
inline Step stopAt(const ui::RunModel &model, ui::FrmMain &main, std::int64_t n)
{
    return stopWhen(model, main, [&model, n] { return model.sim().nCollisions >= n; });
}

// A desktop that starts no program and opens no file dialog: it notes the
// files it was asked to open, writes "Excel"'s file where the test says, and
// answers a question for a place to save with `savePath` (empty: cancelled).
struct QuietDesktop
{
    QStringList opened;
    QString savePath;
    ui::Desktop desktop(std::filesystem::path exportPath = {})
    {
        ui::Desktop d;
        d.openFile = [this](const QString &path) { opened << path; };
        d.exportPath = std::move(exportPath);
        d.askSavePath = [this](const QString &, const QString &, const QString &) {
            return savePath;
        };
        return d;
    }
};

// Clicks a button and takes the steps in order while its handler runs (and
// the collision loop or a modal window inside it serves events). Returns
// how many were taken.
inline std::size_t click(QPushButton *button, std::vector<Step> steps)
{
    std::size_t next = 0;
    bool acting = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (acting || next >= steps.size())
            return;
        // A modal window opened by a step (or by its test) runs its own
        // loop, where this timer goes on firing.
        acting = true;
        if (steps[next].when()) {
            const std::function<void()> act = steps[next++].act;
            act();
        }
        acting = false;
    });
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    return next;
}

// Twips to the pixels a mouse event gives, as the windows map them.
inline QPoint pixelsAt(double xTwips, double yTwips)
{
    return {int(xTwips / ui::kTwipsPerPixel), int(yTwips / ui::kTwipsPerPixel)};
}

} // namespace kormix::test
