// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A collision of the step log in words, in the user's language: "molecule 7
// (H2) met molecule 15 (D2): they reacted to 2 HD; W 184756 -> 1.1E+06". The
// core keeps what happened (the molecules, the coin, the outcome, W before
// and after); every window that tells it takes its words from here.
#pragma once

#include "core/steplog.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace kormix::ui {

class StepText
{
    Q_DECLARE_TR_FUNCTIONS(kormix::ui::StepText)

public:
    // The collision in words. W is written as the main window writes it; the
    // coin with the fewest digits that tell its draw apart; both with the
    // program's decimal separator.
    static QString describe(const StepEntry &entry, char decimalPoint);
    // Every entry of the log, oldest first, each after its collision's
    // number: "12. molecule ...".
    static QStringList lines(const StepLog &log, char decimalPoint);
    // The chemical formula of a kind (0 = H2, 1 = HD, 2 = D2), the same in
    // every language.
    static QString kindName(int kind);
};

} // namespace kormix::ui
