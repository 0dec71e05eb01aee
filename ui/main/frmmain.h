// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The main window: the commands that drive the run and the labels that show
// the system and the run's statistics. Its handlers forward to the run model
// (ui/model/runmodel.h), which owns the run, and to the keepers of the other
// windows; its labels show what the model says. The collision loop runs
// inside the start command's handler and serves pending events from there,
// so every other handler may run nested inside it.
#pragma once

#include "core/host.h"
#include "ui/common/desktop.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace kormix::ui {

class FrmBest;
class FrmEquilibrium;
class FrmSetup;
class HelpMenu;
class MostProbable;
class RunMenu;
class RunModel;
class ViewMenu;

class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window on the run model, loads the setup dialog hidden and
    // takes turbo mode from its (hidden) check box. `desktop` opens files and
    // asks for places to save, for the windows opened from here.
    explicit FrmMain(RunModel &model,
                     Desktop desktop = Desktop::system(),
                     QWidget *parent = nullptr);
    ~FrmMain() override;

    // A modal message titled "Kormix" with one OK button; afterwards the
    // most-probable window, when loaded, is brought up to date.
    void ShowMessage(const QString &text);
    // Runs the revise-data window modally: the revised counts (H2, HD, D2),
    // or nothing when it was closed without "Equilibrate".
    std::optional<std::array<std::int32_t, 3>> ShowReviseWindow();
    // Hands the revised counts over as the setup dialog's molecule fields and
    // builds the new system from them.
    void ApplyRevisedData(const std::array<std::int32_t, 3> &counts);
    // Runs `run` (a start or a step) as the start command runs the loop: a
    // Setup that arrives meanwhile opens the setup dialog once it has ended.
    void whileRunning(const std::function<void()> &run);

    // The setup dialog as loaded now (it is reloaded by Clear and after a
    // close through its frame) and the most-probable window while loaded.
    FrmSetup *setupForm() const;
    FrmBest *bestForm() const;
    // The equilibrium window while it exists.
    FrmEquilibrium *equilibriumForm() const;
    MostProbable &mostProbable() const { return *mostProbable_; }
    RunMenu &runMenu() const { return *runMenu_; }
    ViewMenu &viewMenu() const { return *viewMenu_; }
    HelpMenu &helpMenu() const { return *helpMenu_; }
    // The value label the core writes under this name.
    QLabel *valueLabel(MainLabel label) const { return labels_[std::size_t(label)]; }
    // File, Exit has come: nothing opens any more.
    bool isExiting() const { return exiting_; }

    // What the main window keeps about its other windows.
    struct WindowFlags
    {
        bool bShowBest = false;       // the user asked for the most-probable window
        bool bBestShown = false;      // the most-probable window is loaded
        bool bWasRunning = false;     // Setup arrived while collisions ran
        bool bReviseOpen = false;     // the revise-data window is open
        bool bReviseAccepted = false; // it was closed with "Equilibrate"
    };
    WindowFlags flags() const;

    QMenu *menu_file = nullptr;       // "&File"
    QAction *menu_Workbook = nullptr; // "Save &Workbook...": the distributions as a workbook
    QAction *menu_Exit = nullptr;     // "E&xit": ends the program at once

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
    void Check1_Click();
    // Asks where to save and writes the workbook there: the distributions, and
    // the equilibrium window's compositions while it is open with a system.
    void menu_Workbook_Click();
    void menu_Exit_Click();

private:
    void buildFileMenu();
    void buildCommands(QWidget *client);
    void buildLabels(QWidget *client);
    void connectCommands();
    // Ties each value label to its caption for screen readers.
    void describeValueLabels();
    // Loads the setup dialog afresh, hidden, in its design state.
    void loadSetupForm();
    // Shows the text the model holds for a label, in the user's language.
    void showLabel(MainLabel label);
    // The start button's caption for the run state.
    void showRunState();
    // "Most Probable" opens the most-probable window, "Hide Most Prob"
    // closes it.
    void setShowBestCaption(bool hides);

    RunModel &model_;
    Desktop desktop_;
    QPointer<FrmSetup> frmSetup_;
    MostProbable *mostProbable_ = nullptr;
    RunMenu *runMenu_ = nullptr;
    ViewMenu *viewMenu_ = nullptr;
    HelpMenu *helpMenu_ = nullptr;
    std::array<QLabel *, 13> labels_{}; // by MainLabel

    bool bWasRunning_ = false;
    bool bReviseOpen_ = false;
    bool bReviseAccepted_ = false;
    bool showBestHides_ = false; // CmdShowBest reads "Hide Most Prob"
    // ShowReviseWindow refuses a nested call.
    bool reviseBusy_ = false;
    bool exiting_ = false;
    // The adjust mode of the revise-data window, kept from one opening to
    // the next.
    QString reviseSide_;
};

} // namespace kormix::ui
