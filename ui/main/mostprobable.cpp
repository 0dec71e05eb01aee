// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/mostprobable.h"

#include "core/distributionregister.h"
#include "core/numberformat.h"
#include "ui/best/frmbest.h"
#include "ui/common/levelpanel.h"
#include "ui/main/placement.h"
#include "ui/model/runmodel.h"

namespace kormix::ui {

MostProbable::MostProbable(RunModel &model, QWidget *mainWindow)
    : QObject(mainWindow)
    , model_(model)
    , mainWindow_(mainWindow)
{
    connect(&model_, &RunModel::mostProbableRequested, this, &MostProbable::ShowMostProbable);
    // While collisions run the window catches up at every event service.
    connect(&model_, &RunModel::serviced, this, [this] {
        if (pending_) {
            pending_ = false;
            paint();
        }
    });
}

FrmBest *MostProbable::form() const
{
    return frmBest_;
}

void MostProbable::ShowMostProbable()
{
    model_.UpdateStatistics();
    if (!bShowBest_ || busy_ || shutDown_)
        return;
    busy_ = true;

    if (!bBestShown_) {
        frmBest_ = new FrmBest(mainWindow_);
        connect(frmBest_, &FrmBest::closedByUser, this, &MostProbable::HideMostProbable);
        bBestShown_ = true;
        // The window has no controls: the keyboard stays where it was, so
        // that Space on "Stop Collisions" stops the run it just started.
        frmBest_->setAttribute(Qt::WA_ShowWithoutActivating);
        placeBeside(frmBest_, mainWindow_);
        frmBest_->show();
    }

    // With "Show Fluctuations" the window follows the current distribution,
    // otherwise it shows the most probable one.
    const Simulation &sim = model_.sim();
    int e = model_.showFluctuations() ? sim.iCurrent : sim.iBest;
    captionCollision_ = model_.showFluctuations() ? sim.nCollisions : sim.bestCollision;
    if (e < 0 || e > DistributionRegister::kCapacity)
        e = 0;
    const std::array<std::int32_t, 3> counts = sim.reg.countsOf(e, sim.nMolecules);
    counts_ = {counts[0], counts[1], counts[2], 0};
    model_.setShownDistribution(counts);

    pending_ = true;
    if (!sim.running()) {
        pending_ = false;
        paint();
    }
    model_.serveEvents();
    busy_ = false;
}

void MostProbable::paint()
{
    if (!frmBest_)
        return;
    //: The most-probable window's title: the collision it shows.
    const QString caption = tr("Collision %1")
                                    .arg(QString::fromStdString(integerToText(captionCollision_)));
    if (frmBest_->windowTitle() != caption)
        frmBest_->setWindowTitle(caption);
    // Before any system is set up there are no molecules: every column stays
    // at height 0 on the base line.
    const Simulation &sim = model_.sim();
    frmBest_->FraLevels->showDistribution(counts_, sim.nMolecules, sim.decimalPoint);
}

void MostProbable::HideMostProbable()
{
    if (!bBestShown_)
        return;
    if (frmBest_) {
        disconnect(frmBest_, nullptr, this, nullptr);
        frmBest_->hide();
        // It may be its own close event that brought us here.
        frmBest_->deleteLater();
        frmBest_ = nullptr;
    }
    bBestShown_ = false;
    bShowBest_ = false;
    emit hidden();
}

} // namespace kormix::ui
