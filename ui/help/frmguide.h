// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The guide for teachers and students, in a window of its own that stays open
// beside the others while the simulation runs.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kormix::ui {

class FrmGuide : public QWidget
{
    Q_OBJECT

public:
    explicit FrmGuide(QWidget *parent = nullptr);

    // The guide's text as built into the program (Markdown).
    static QString guideText();

    QTextBrowser *txtGuide = nullptr;
};

} // namespace kormix::ui
