// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Helpers for driving the real windows in tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kormix::test {

// Runs `act` on the next modal window that opens (once the current handler
// has opened it), so that a test never blocks on a modal window. The window
// is handed over as it is; `act` must close it.
inline void OnNextModal(std::function<void(QWidget *)> act, int attempts = 200)
{
    QTimer::singleShot(0, [act, attempts]() {
        if (QWidget *w = QApplication::activeModalWidget()) {
            act(w);
            return;
        }
        if (attempts > 0)
            OnNextModal(act, attempts - 1);
    });
}

// Closes the next message box and hands back its text through `text`.
inline void AcceptNextMessage(QString *text)
{
    OnNextModal([text](QWidget *w) {
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            if (text)
                *text = box->text();
            box->accept();
        } else if (auto *dialog = qobject_cast<QDialog *>(w)) {
            dialog->reject();
        }
    });
}

} // namespace kormix::test
