// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The most-probable window's keeper: loads the window on first need, refreshes
// it with the most probable distribution (or, with "Show Fluctuations", the
// current one) whenever the run asks, and unloads it. While collisions run
// the window is repainted at most once per event service.
#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>

class QWidget;

namespace kormix::ui {

class FrmBest;
class RunModel;

class MostProbable : public QObject
{
    Q_OBJECT

public:
    // The window opens beside `mainWindow`, which also owns it.
    MostProbable(RunModel &model, QWidget *mainWindow);

    // Refreshes the statistics and, when the user asked for the window,
    // loads it if need be and shows the chosen distribution; ends with an
    // event service. A call nested in its own event service only refreshes
    // the statistics.
    void ShowMostProbable();
    // Unloads the window when it is loaded.
    void HideMostProbable();

    // The user asked for the window (bShowBest), and it is loaded (bBestShown).
    bool bShowBest() const { return bShowBest_; }
    bool bBestShown() const { return bBestShown_; }
    void setShowBest(bool on) { bShowBest_ = on; }
    FrmBest *form() const;

    // The program is ending: nothing opens any more.
    void shutDown() { shutDown_ = true; }

signals:
    // HideMostProbable unloaded the window: "Most Probable" opens it again.
    void hidden();

private:
    // Draws the distribution chosen last.
    void paint();

    RunModel &model_;
    QWidget *mainWindow_;
    QPointer<FrmBest> frmBest_;
    bool bShowBest_ = false;
    bool bBestShown_ = false;
    bool busy_ = false; // a refresh is serving events
    bool shutDown_ = false;
    // What the window is to show next: the collision in its caption and
    // the counts, held back while collisions run.
    bool pending_ = false;
    std::int64_t captionCollision_ = 0;
    std::array<std::int32_t, 4> counts_{};
};

} // namespace kormix::ui
