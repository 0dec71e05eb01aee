// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The most-probable window: one distribution of the run drawn as level
// columns, with its three counts and its Q. The main window loads, refreshes
// and unloads it; the window has no commands of its own.
#pragma once

#include "ui/common/paintedshape.h"

#include <QWidget>

#include <array>

class QLabel;

namespace kormix::ui {

class LevelPanel;
struct LevelPanelLayout;

class FrmBest : public QWidget
{
    Q_OBJECT

public:
    explicit FrmBest(QWidget *parent = nullptr);

    // Where the panel's parts stand in this window.
    static LevelPanelLayout panelLayout();

    LevelPanel *FraLevels = nullptr;
    // Fixed captions under the H2, D2 and HD columns, parts of the panel.
    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label4 = nullptr;

    // The circle whose fill is the colour that stands for H; other windows
    // mark their selection with it. The window holds it but never draws it.
    const PaintedShape &cir(int i) const { return cir_[std::size_t(i)]; }

signals:
    // The window manager closed the window although it offers no close
    // control; the main window then takes it down properly.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::array<PaintedShape, 1> cir_;
};

} // namespace kormix::ui
