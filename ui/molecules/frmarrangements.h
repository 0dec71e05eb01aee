// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The arrangements window: every arrangement of a tiny system that W counts,
// the N molecules in N numbered places, each HD either way round. For the
// system set up when it has at most six molecules, else for one the user
// chooses here (two H2 and two D2 at first). The arrangements stand grouped
// by composition, each group headed by its composition, its W and its exact
// share P = W / sum W; a chosen arrangement is drawn large, and the group of
// the composition the system is in now is marked.
//
// It is modeless and may stay open while collisions run; its owner asks it
// to refresh. It reads the run and writes nothing of it.
#pragma once

#include "core/arrangements.h"
#include "ui/common/savefile.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;

namespace kormix {
class Simulation;
} // namespace kormix

namespace kormix::ui {

class ArrangementTiles;
class ArrangementView;

class FrmArrangements : public QWidget
{
    Q_OBJECT

public:
    explicit FrmArrangements(const Simulation &sim, QWidget *parent = nullptr);

    // Follows the system set up: its atoms and the composition it is in now.
    void refresh();

    QSize sizeHint() const override;

    // Where Save Picture asks to save; tests replace it.
    AskSavePath askSavePath;

    // The arrangements shown, and the group marked (the composition the
    // system is in now), if any.
    const Arrangements &arrangements() const { return arrangements_; }
    std::optional<std::size_t> markedGroup() const { return marked_; }

    // Whose arrangements these are: the system set up, or one chosen here.
    QLabel *lblSystem = nullptr;
    // The molecules of the system chosen here: H2, HD and D2.
    std::array<QLabel *, 3> lblMolec{};
    std::array<QSpinBox *, 3> spnMolec{};
    // "4 molecules of 4 H and 4 D atoms: sum W = 6 + 48 + 16 = 70 arrangements"
    QLabel *lblTotal = nullptr;
    QScrollArea *scrGroups = nullptr;
    // Each group's heading and tiles, in increasing nHD.
    std::vector<QLabel *> lblGroup;
    std::vector<ArrangementTiles *> tilesGroup;
    // The arrangement chosen, large.
    QLabel *lblChosen = nullptr;
    ArrangementView *picChosen = nullptr;
    QPushButton *cmdSavePicture = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void cmdSavePicture_Click();
    void spnMolec_Change();

private:
    void buildControls();
    void buildSystemChoice(QVBoxLayout *layout);
    // Lays out the arrangements of these atoms afresh, unless they are shown.
    void showAtoms(std::int32_t hAtoms, std::int32_t dAtoms);
    void showGroups();
    QString heading(std::size_t group) const;
    // Marks the group of this composition, or none.
    void mark(const std::optional<Composition> &now);
    void choose(std::size_t group, int index);

    const Simulation &sim_;
    Arrangements arrangements_;
    bool shown_ = false; // arrangements_ is on the screen
    std::optional<std::size_t> marked_;
    QWidget *groups_ = nullptr; // what scrolls, and what Save Picture saves
    QVBoxLayout *groupsLayout_ = nullptr;
};

} // namespace kormix::ui
