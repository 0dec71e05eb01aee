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
class QActionGroup;
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
class FrmGuide;
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
    void setLabel(MainLabel label, std::string_view text) override;
    SetupFields readSetupFields() override;
    bool showFluctuations() override;
    // Refreshes the statistics and, when the user asked for it, the
    // most-probable window, loading it on first need; ends with an event
    // service.
    void ShowMostProbable() override;
    void serveEvents() override;

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
    void setServiceInterval(int milliseconds) { serviceIntervalMs_ = milliseconds; }

    // The run as the start button offers it: a fresh start (needs setup,
    // ready), a stop (running) or a restart (stopped). It decides the
    // button's caption and the status the window writes; no handler reads a
    // caption back.
    enum class RunState { NeedsSetup, Ready, Running, Stopped };
    RunState runState() const { return runState_; }
    // Collisions run (or are about to, once the start handler enters the
    // loop).
    bool bRunning() const { return bRunning_; }

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
    // The equilibrium window while it exists (it is kept when closed).
    FrmEquilibrium *equilibriumForm() const;

    QMenu *menu_file = nullptr;   // "&File"
    QAction *menu_Exit = nullptr; // "E&xit": ends the program at once

    QMenu *menu_view = nullptr;          // "&View"
    QAction *menu_Equilibrium = nullptr; // "&Equilibrium": opens the equilibrium window
    QMenu *menu_help = nullptr;          // "&Help"
    QAction *menu_Guide = nullptr;       // "Kormix &Guide" (F1)
    QAction *menu_About = nullptr;       // "&About Kormix"

    // The Run menu: steps, the speed of the loop, the seed of new systems.
    QMenu *menu_run = nullptr;
    QAction *menu_Step = nullptr;
    QAction *menu_Step100 = nullptr;
    QMenu *menu_speed = nullptr;
    QActionGroup *speedGroup = nullptr; // one action per speed, its rate as data (0: full)
    QAction *menu_SetSeed = nullptr;
    QAction *menu_ClearSeed = nullptr;

    // Collisions per second the loop keeps to; 0 runs at full speed.
    std::int64_t pacedRate() const { return pacedRate_; }

    QPushButton *CmdSetup = nullptr;      // "Setup System"
    QPushButton *CmdRestart = nullptr;    // "Clear"
    QPushButton *CmdCollide = nullptr;    // "Start", "Stop" or "Restart Collisions"
    QPushButton *CmdShowBest = nullptr;   // "Most Probable" / "Hide Most Prob"
    QPushButton *cmdShow = nullptr;       // "All Distributions": the detailed display
    QPushButton *CmdReviseData = nullptr; // "Revise Data"
    QCheckBox *ChkSilent = nullptr;       // "turbo mode": ticked and never shown
    QCheckBox *Check1 = nullptr;          // "Show Fluctuations"

    QLabel *Label1 = nullptr;        // caption "molecules of H2"
    QLabel *H2 = nullptr;            // H2 molecules of the system as set up
    QLabel *Label9 = nullptr;        // caption "molecules of D2"
    QLabel *D2 = nullptr;            // D2 molecules as set up
    QLabel *Label4 = nullptr;        // caption "molecules of HD"
    QLabel *HD = nullptr;            // HD molecules as set up
    QLabel *Label3 = nullptr;        // caption "reaction quotient Q:"
    QLabel *Qa = nullptr;            // Q of the system as set up
    QLabel *Label12 = nullptr;       // caption "atoms of H"
    QLabel *nHatoms = nullptr;       // H atoms, 2 nH2 + nHD
    QLabel *Label15 = nullptr;       // caption "atoms of D"
    QLabel *nDatoms = nullptr;       // D atoms, 2 nD2 + nHD
    QLabel *Label5 = nullptr;        // caption "status:"
    QLabel *status = nullptr;        // the run state in words, dark red
    QLabel *LblNumDistros = nullptr; // caption "number of distributions:"
    QLabel *NumDistros = nullptr;    // distributions found, or "most prob" in best-only mode
    QLabel *Label7 = nullptr;        // caption "number of collisions:"
    QLabel *ncollide = nullptr;      // collisions of the run
    QLabel *Label13 = nullptr;       // caption "most prob from collision #"
    QLabel *bestcol = nullptr;       // collision at which the most probable distribution was met
    QLabel *Label6 = nullptr;        // caption "largest logW found:"
    QLabel *logW = nullptr;          // log10 of the largest W, three decimals
    QLabel *Label11 = nullptr;       // caption "largest W found:"
    QLabel *Wmax = nullptr;          // the largest W as text
    QLabel *Label2 = nullptr;        // caption "Q of most probable:"
    QLabel *BestQ = nullptr;         // Q of the most probable distribution, 15 digits
    QLabel *Label8 = nullptr;        // "ver. 1.2  comments to " and our address

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
    void menu_Guide_Click();
    void menu_About_Click();
    void menu_Step_Click();
    void menu_Step100_Click();
    void menu_SetSeed_Click();
    void menu_ClearSeed_Click();
    void speedChosen(QAction *action);

private:
    void buildControls();
    // The View menu, after File: the windows of our own beside the run.
    void buildViewMenu();
    // Brings the equilibrium window, when it is open, up to the run: at most
    // ten times a second unless `now`.
    void refreshEquilibrium(bool now = false);
    // The Run menu, after View.
    void buildRunMenu();
    // Runs this many collisions from the ready or stopped state, as a start
    // or a restart would, then stops; the step log is kept meanwhile.
    void runSteps(std::int64_t collisions);
    // Steps and the seed's commands follow the run state.
    void updateRunMenu();
    // A paced run's event service: waits until the next collision is due,
    // serving events every few milliseconds meanwhile.
    void paceEvents();
    // The pace counts from here: the current collision, now.
    void restartPace();
    // The Help menu, always the last of the menu bar.
    void buildHelpMenu();
    // Ties each value label to its caption for screen readers.
    void describeValueLabels();
    // Loads the setup dialog afresh, hidden, in its design state.
    void loadSetupForm();
    // Writes the revised counts into the setup dialog's molecule fields.
    void writeMolecules(const std::array<std::int32_t, 3> &counts);
    // Writes a label's text unless it reads so already.
    static void writeLabel(QLabel *label, const QString &text);
    // Writes the label texts and the most-probable window's picture held
    // back while collisions ran.
    void flushView();
    // Shows the distribution ShowMostProbable chose last in the
    // most-probable window.
    void paintBest();
    void placeBeside(QWidget *window) const;
    // Puts the run into a state: the start button's caption, and the status
    // text where the window writes it ("Setup Complete" when ready).
    void setRunState(RunState state);
    // "Most Probable" opens the most-probable window, "Hide Most Prob"
    // closes it.
    void setShowBestCaption(bool hides);
    // Ends the run going on after its current collision.
    void stopRun();

    Simulation &sim_;
    QPointer<FrmSetup> frmSetup_;
    QPointer<FrmBest> frmBest_;
    QPointer<FrmEquilibrium> frmEquilibrium_;
    QElapsedTimer equilibriumClock_;
    QPointer<FrmGuide> frmGuide_;
    std::array<QLabel *, 13> labels_{}; // by MainLabel

    RunState runState_ = RunState::NeedsSetup;
    bool bRunning_ = false;
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
    std::int64_t pacedRate_ = 0;
    std::int64_t paceFrom_ = 0; // nCollisions when the pace began
    QElapsedTimer paceClock_;
    QElapsedTimer serviceClock_;
    // Latest label texts not yet written, by MainLabel.
    std::array<std::string, 13> pendingLabels_;
    std::array<bool, 13> labelPending_{};
    // What the most-probable window is to show next: the collision in its
    // caption and the counts.
    bool bestPending_ = false;
    std::int64_t bestCaptionCollision_ = 0;
    std::array<std::int32_t, 4> bestCounts_{};
};

} // namespace kormix::ui
