// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window: the commands that drive the simulation, the labels that
// show the system and the run's statistics, and the core's way into the
// windows. The collision loop runs inside the start command's handler and
// serves pending events from there, so every other handler may run nested
// inside it.
#pragma once

#include "core/host.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace kormix {
class Simulation;
}

namespace kormix::ui {

class FrmBest;
class FrmEquilibrium;
class FrmSetup;

class FrmMain : public QMainWindow, public SimulationHost
{
    Q_OBJECT

public:
    // Builds the window, loads the setup dialog hidden, clears the system and
    // takes turbo mode from its (hidden) check box.
    explicit FrmMain(Simulation &sim, QWidget *parent = nullptr);
    ~FrmMain() override;

    // What the core asks of the windows.
    void SetLabel(MainLabel label, std::string_view text) override;
    SetupFields ReadSetupFields() override;
    bool ShowFluctuations() override;
    // Refreshes the statistics and, when the user asked for it, the
    // most-probable window, loading it on first need; ends with an event
    // service.
    void ShowMostProbable() override;
    void ServeEvents() override;

    // A modal message titled "Kormix" with one OK button; afterwards the
    // most-probable window, when loaded, is brought up to date.
    void ShowMessage(const QString &text);
    // Unloads the most-probable window when it is loaded.
    void HideMostProbable();
    // Runs the revise-data window modally; bReviseAccepted tells the outcome.
    void ShowReviseWindow();
    // Builds a new system from the revised counts through the setup dialog.
    void ApplyRevisedData();

    // The setup dialog as loaded now (it is reloaded by Clear and after a
    // close through its frame) and the most-probable window while loaded.
    FrmSetup *setupForm() const;
    FrmBest *bestForm() const;

    // While collisions run, pending events are served and the counter labels
    // written at most once per this many milliseconds: nothing is repainted
    // in between anyway. 0 serves at every service point.
    void SetServiceInterval(int milliseconds) { serviceIntervalMs_ = milliseconds; }

    // The run as the start button offers it: a fresh start (needs setup,
    // ready), a stop (running) or a restart (stopped). It decides the
    // button's caption and the status the window writes; no handler reads a
    // caption back.
    enum class RunState { NeedsSetup, Ready, Running, Stopped };
    RunState runState() const { return runState_; }

    // What the main window keeps about its other windows.
    struct WindowFlags
    {
        bool bShowBest = false;       // the user asked for the most-probable window
        bool bBestShown = false;      // the most-probable window is loaded
        bool bWasRunning = false;     // Setup arrived while collisions ran
        bool bReviseOpen = false;     // the revise-data window is open
        bool bReviseAccepted = false; // it was closed with "Equilibrate"
    };
    const WindowFlags &flags() const { return flags_; }

    // Design top and height of the most-probable window's level columns.
    double bestLevelTop = 0;
    double bestLevelHeight = 0;

    QMenu *menu_file = nullptr;
    QAction *menu_Exit = nullptr;
    QMenu *menu_view = nullptr;
    QAction *menu_Equilibrium = nullptr;

    // The equilibrium window while it exists (it is kept when closed).
    FrmEquilibrium *equilibriumForm() const;

    QPushButton *CmdSetup = nullptr;
    QPushButton *CmdRestart = nullptr;
    QPushButton *CmdCollide = nullptr;
    QPushButton *CmdShowBest = nullptr;
    QPushButton *cmdShow = nullptr;
    QPushButton *CmdReviseData = nullptr;
    QCheckBox *ChkSilent = nullptr;
    QCheckBox *Check1 = nullptr;

    QLabel *Label1 = nullptr;
    QLabel *H2 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *D2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *HD = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Qa = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *nHatoms = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *nDatoms = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *status = nullptr;
    QLabel *LblNumDistros = nullptr;
    QLabel *NumDistros = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *ncollide = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *bestcol = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *logW = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Wmax = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *BestQ = nullptr;
    QLabel *Label8 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void CmdSetup_Click();
    void CmdCollide_Click();
    void CmdRestart_Click();
    void CmdReviseData_Click();
    void cmdShow_Click();
    void CmdShowBest_Click();
    void ChkSilent_Click();
    void Check1_Click();
    void menu_Exit_Click();
    void menu_Equilibrium_Click();

private:
    void BuildControls();
    // The View menu, after File: the windows of our own beside the run.
    void BuildViewMenu();
    // Brings the equilibrium window, when it is open, up to the run: at most
    // ten times a second unless `now`.
    void RefreshEquilibrium(bool now = false);
    // Loads the setup dialog afresh, hidden, in its design state.
    void LoadSetupForm();
    // Writes the revised counts into the setup dialog's molecule fields.
    void WriteMolecules(const std::array<std::int32_t, 3> &counts);
    // Writes a label's text unless it reads so already.
    static void WriteLabel(QLabel *label, const QString &text);
    // Writes the label texts and the most-probable window's picture held
    // back while collisions ran.
    void FlushView();
    // Shows the distribution ShowMostProbable chose last in the
    // most-probable window.
    void PaintBest();
    void PlaceBeside(QWidget *window) const;
    // Puts the run into a state: the start button's caption, and the status
    // text where the window writes it ("Setup Complete" when ready).
    void SetRunState(RunState state);
    // "Most Probable" opens the most-probable window, "Hide Most Prob"
    // closes it.
    void SetShowBestCaption(bool hides);

    Simulation &sim_;
    QPointer<FrmSetup> frmSetup_;
    QPointer<FrmBest> frmBest_;
    QPointer<FrmEquilibrium> frmEquilibrium_;
    QElapsedTimer equilibriumClock_;
    std::array<QLabel *, 13> labels_{}; // by MainLabel

    RunState runState_ = RunState::NeedsSetup;
    WindowFlags flags_;
    bool showBestHides_ = false;      // CmdShowBest reads "Hide Most Prob"
    bool numDistrosMostProb_ = false; // NumDistros reads "most prob"
    // The adjust mode of the revise-data window, kept from one opening to
    // the next.
    QString reviseSide_;

    // ShowMostProbable and ShowReviseWindow each refuse a nested call.
    bool busy_ = false;
    bool reviseBusy_ = false;
    // The program is ending: nothing opens any more.
    bool exiting_ = false;

    int serviceIntervalMs_ = 5;
    QElapsedTimer serviceClock_;
    // Latest label texts not yet written, by MainLabel.
    std::array<std::string, 13> pendingLabels_;
    std::array<bool, 13> labelPending_{};
    // What the most-probable window is to show next: the collision in its
    // caption, the counts and the text of Q.
    bool bestPending_ = false;
    std::int64_t bestCaptionCollision_ = 0;
    std::array<std::int32_t, 4> bestCounts_{};
    std::string bestQ_;
};

} // namespace kormix::ui
