// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The molecules window: every molecule of the system as two touching discs,
// or for a system of more than 400 molecules 400 in its proportions, with the
// counts and Q under them. While each collision can be watched (the user
// steps, or the speed is 100 or 10 a second) the two molecules the collision
// picked are ringed, their atoms trade places in a short animation when they
// react, and the collision is told in words as the step log tells it.
//
// It is modeless and may stay open while collisions run; its owner asks it
// to refresh. It reads the run through the run model and writes nothing of
// it: the one command it calls brings the molecules' lasting numbers to the
// current counts, which changes no count and no draw.
#pragma once

#include "core/moleculesample.h"
#include "core/steplog.h"
#include "ui/common/savefile.h"
#include "ui/molecules/moleculedrawing.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QVariantAnimation;

namespace kormix {
class Simulation;
} // namespace kormix

namespace kormix::ui {

class MoleculesPicture;
class RunModel;

class FrmMolecules : public QWidget
{
    Q_OBJECT

public:
    explicit FrmMolecules(RunModel &model, QWidget *parent = nullptr);

    // Brings the picture, the counts and the collision up to the run.
    void refresh();

    // The size the window would like, within the room its screen leaves.
    QSize sizeHint() const override;

    // Where Save Picture asks to save; tests replace it.
    AskSavePath askSavePath;

    // The longest two atoms take to trade places.
    static constexpr int kTradeMs = 300;
    // Whether two atoms are on their way now.
    bool trading() const;

    MoleculesPicture *picMolecules = nullptr;
    // "400 of 1000000 molecules shown, in the same proportions"
    QLabel *lblShown = nullptr;
    // nH2, nHD, nD2 and Q: captions and values.
    std::array<QLabel *, 4> lblCaption{};
    std::array<QLabel *, 4> lblCount{};
    // The collision shown: the pair large, its outcome and the step log's line.
    QGroupBox *fraCollision = nullptr;
    MoleculesPicture *picPair = nullptr;
    QLabel *lblOutcome = nullptr;
    QLabel *lblStep = nullptr;
    QPushButton *cmdSavePicture = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void cmdSavePicture_Click();
    void showTradeProgress(double progress);

private:
    void buildControls();
    QGridLayout *buildCounts();
    // The kinds in the places of the picture: every molecule by its lasting
    // number, or the sample of a large system.
    std::vector<std::int8_t> placedKinds();
    void showCounts();
    // The last collision when the log holds the one the run is at.
    std::optional<StepEntry> lastCollision() const;
    void showCollision(const std::optional<StepEntry> &entry);
    // How long the atoms of a collision shown now take to trade places: at
    // most kTradeMs, no longer than the wait for the next collision, and not
    // at all at full speed.
    int tradeDuration() const;
    void describe(const std::optional<StepEntry> &entry);

    RunModel &model_;
    const Simulation &sim_;
    QWidget *content_ = nullptr; // what Save Picture saves
    MoleculeSample sample_;
    bool whole_ = true; // every molecule drawn
    std::optional<StepEntry> shownEntry_;
    std::int64_t shownCollision_ = -1;
    QVariantAnimation *trade_ = nullptr;
};

} // namespace kormix::ui
