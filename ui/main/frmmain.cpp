// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/frmmain.h"

#include "core/numberformat.h"
#include "core/simulation.h"
#include "core/wholenumber.h"
#include "ui/best/frmbest.h"
#include "ui/common/levelpanel.h"
#include "ui/common/translation.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"
#include "ui/display/frmdisplay.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/help/about.h"
#include "ui/help/frmguide.h"
#include "ui/main/placement.h"
#include "ui/revise/frmrevise.h"
#include "ui/setup/frmsetup.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace kormix::ui {

namespace {

constexpr int kCapacity = 1000; // register entries are numbered 1..1000

} // namespace

FrmMain::FrmMain(Simulation &sim, QWidget *parent)
    : QMainWindow(parent)
    , sim_(sim)
{
    setObjectName("frmMain");
    setWindowTitle(tr("Kormix 1.2"));
    buildControls();
    buildRunMenu();
    // Help is the last menu, after every one the window builds.
    buildHelpMenu();
    placeMenuItems(menuBar(), menu_Exit, menu_About);
    describeValueLabels();
    sim_.setHost(this);

    // What the window does when it loads: the setup dialog is loaded once,
    // hidden, and keeps what the user types from one showing to the next.
    loadSetupForm();
    sim_.ClearSystem();
    sim_.bTurbo = ChkSilent->isChecked();
    CmdSetup->setFocus();
}

FrmMain::~FrmMain()
{
    sim_.setHost(nullptr);
}

void FrmMain::buildControls()
{
    setFont(sansFont(8.25, true));
    useWindowColours(this);

    // The menu keeps the desktop's own font.
    menuBar()->setFont(QApplication::font("QMenuBar"));
    menu_file = menuBar()->addMenu(tr("&File"));
    menu_file->setObjectName("menu_file");
    menu_file->setFont(QApplication::font("QMenu"));
    menu_Exit = menu_file->addAction(tr("E&xit"));
    menu_Exit->setObjectName("menu_Exit");
    buildViewMenu();

    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setAutoFillBackground(true);
    client->setFixedSize(px(9390), px(5340));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto button = [client](const char *name, const QString &caption, double l, double t, double w) {
        auto *b = makeButton<QPushButton>(client, name, caption, QRectF(l, t, w, 375));
        b->setAutoDefault(false);
        return b;
    };
    CmdSetup = button("CmdSetup", tr("Setup System"), 240, 120, 1695);
    //: Clears the system: everything back to the state before any setup.
    CmdRestart = button("CmdRestart", tr("Clear"), 2160, 120, 975);
    CmdCollide = button("CmdCollide", tr("Start Collisions"), 3360, 120, 1695);
    CmdShowBest = button("CmdShowBest", tr("Most Probable"), 5280, 120, 1455);
    cmdShow = button("cmdShow", tr("All Distributions"), 6960, 120, 1695);
    CmdReviseData = button("CmdReviseData", tr("Revise Data"), 240, 600, 1695);

    // Turbo mode is on throughout: the box is ticked and never shown.
    ChkSilent = makeButton<QCheckBox>(client,
                                      "ChkSilent",
                                      tr("turbo mode"),
                                      QRectF(7200, 600, 1455, 375));
    ChkSilent->setChecked(true);
    ChkSilent->hide();

    Check1 = makeButton<QCheckBox>(client,
                                   "Check1",
                                   tr("Show Fluctuations"),
                                   QRectF(4440, 4080, 3135, 255));
    keepIndicatorsVisible(client);

    const QFont big = sansFont(12, true);
    auto label =
            [client,
             &big](const char *name, const QString &text, double l, double t, double w, double h) {
                return makeLabel(client, name, text, QRectF(l, t, w, h), big);
            };
    Label1 = label("Label1", tr("molecules of H2"), 240, 1200, 2535, 255);
    H2 = label("H2", "0", 3000, 1200, 975, 255);
    Label9 = label("Label9", tr("molecules of D2"), 240, 1560, 2655, 375);
    D2 = label("D2", "0", 3000, 1560, 975, 255);
    Label4 = label("Label4", tr("molecules of HD"), 240, 1920, 2655, 375);
    HD = label("HD", "0", 3000, 1920, 975, 255);
    Label3 = label("Label3", tr("reaction quotient Q:"), 240, 2520, 2655, 375);
    Qa = label("Qa", "0", 3000, 2520, 975, 255);
    Label12 = label("Label12", tr("atoms of H"), 1320, 3360, 1455, 375);
    nHatoms = label("nHatoms", "0", 3000, 3360, 975, 255);
    Label15 = label("Label15", tr("atoms of D"), 1320, 3840, 1455, 375);
    nDatoms = label("nDatoms", "0", 3000, 3840, 975, 255);
    Label5 = label("Label5", tr("status:"), 4440, 1200, 855, 255);
    status = label("status", coreText("needs setup"), 5640, 1200, 3135, 375);
    LblNumDistros = label("LblNumDistros", tr("number of distributions:"), 4440, 1560, 2895, 255);
    NumDistros = label("NumDistros", "0", 7560, 1560, 1800, 375);
    Label7 = label("Label7", tr("number of collisions:"), 4440, 1920, 3015, 255);
    ncollide = label("ncollide", "0", 7560, 1920, 1800, 255);
    //: Caption of the collision at which the most probable distribution was found.
    Label13 = label("Label13", tr("most prob from collision #"), 4440, 2520, 3135, 375);
    bestcol = label("bestcol", "0", 7560, 2520, 1800, 255);
    Label6 = label("Label6", tr("largest logW found:"), 4440, 2880, 2895, 375);
    logW = label("logW", "0", 7560, 2880, 1800, 255);
    Label11 = label("Label11", tr("largest W found:"), 4440, 3240, 2655, 375);
    Wmax = label("Wmax", "1", 7560, 3240, 1800, 255);
    Label2 = label("Label2", tr("Q of most probable:"), 4440, 3600, 2655, 375);
    BestQ = label("BestQ", "1", 7560, 3600, 1800, 255);

    QPalette red = status->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    status->setPalette(red);

    Label8 = makeLabel(client,
                       "Label8",
                       tr("ver. 1.2  comments to kormix-team@users.noreply.example"),
                       QRectF(120, 4920, 4455, 255));

    labels_[std::size_t(MainLabel::H2)] = H2;
    labels_[std::size_t(MainLabel::HD)] = HD;
    labels_[std::size_t(MainLabel::D2)] = D2;
    labels_[std::size_t(MainLabel::Qa)] = Qa;
    labels_[std::size_t(MainLabel::status)] = status;
    labels_[std::size_t(MainLabel::ncollide)] = ncollide;
    labels_[std::size_t(MainLabel::NumDistros)] = NumDistros;
    labels_[std::size_t(MainLabel::bestcol)] = bestcol;
    labels_[std::size_t(MainLabel::logW)] = logW;
    labels_[std::size_t(MainLabel::Wmax)] = Wmax;
    labels_[std::size_t(MainLabel::BestQ)] = BestQ;
    labels_[std::size_t(MainLabel::nHatoms)] = nHatoms;
    labels_[std::size_t(MainLabel::nDatoms)] = nDatoms;

    // Focus order of the controls that take the focus.
    QWidget *order[] = {CmdSetup,
                        CmdCollide,
                        cmdShow,
                        CmdRestart,
                        CmdShowBest,
                        ChkSilent,
                        CmdReviseData,
                        Check1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(CmdSetup, &QPushButton::clicked, this, &FrmMain::CmdSetup_Click);
    connect(CmdRestart, &QPushButton::clicked, this, &FrmMain::CmdRestart_Click);
    connect(CmdCollide, &QPushButton::clicked, this, &FrmMain::CmdCollide_Click);
    connect(CmdShowBest, &QPushButton::clicked, this, &FrmMain::CmdShowBest_Click);
    connect(cmdShow, &QPushButton::clicked, this, &FrmMain::cmdShow_Click);
    connect(CmdReviseData, &QPushButton::clicked, this, &FrmMain::CmdReviseData_Click);
    connect(ChkSilent, &QCheckBox::toggled, this, &FrmMain::ChkSilent_Click);
    connect(Check1, &QCheckBox::toggled, this, &FrmMain::Check1_Click);
    connect(menu_Exit, &QAction::triggered, this, &FrmMain::menu_Exit_Click);
}

void FrmMain::buildViewMenu()
{
    menu_view = menuBar()->addMenu(tr("&View"));
    menu_view->setObjectName("menu_view");
    menu_view->setFont(QApplication::font("QMenu"));
    menu_Equilibrium = menu_view->addAction(tr("&Equilibrium"));
    menu_Equilibrium->setObjectName("menu_Equilibrium");
    connect(menu_Equilibrium, &QAction::triggered, this, &FrmMain::menu_Equilibrium_Click);
}

FrmEquilibrium *FrmMain::equilibriumForm() const
{
    return frmEquilibrium_;
}

void FrmMain::menu_Equilibrium_Click()
{
    if (exiting_)
        return;
    if (!frmEquilibrium_) {
        frmEquilibrium_ = new FrmEquilibrium(sim_, this);
        frmEquilibrium_->adjustSize();
        placeBeside(frmEquilibrium_);
    }
    // Showing it refreshes it.
    frmEquilibrium_->show();
    frmEquilibrium_->raise();
    frmEquilibrium_->activateWindow();
    equilibriumClock_.start();
}

void FrmMain::refreshEquilibrium(bool now)
{
    if (!frmEquilibrium_ || !frmEquilibrium_->isVisible())
        return;
    if (!now && equilibriumClock_.isValid() && equilibriumClock_.elapsed() < 100)
        return;
    frmEquilibrium_->refresh();
    equilibriumClock_.start();
}

void FrmMain::buildHelpMenu()
{
    menu_help = menuBar()->addMenu(tr("&Help"));
    menu_help->setObjectName("menu_help");
    menu_help->setFont(QApplication::font("QMenu"));
    menu_Guide = menu_help->addAction(tr("Kormix &Guide"));
    menu_Guide->setObjectName("menu_Guide");
    menu_Guide->setShortcut(QKeySequence(Qt::Key_F1));
    menu_About = menu_help->addAction(tr("&About Kormix"));
    menu_About->setObjectName("menu_About");
    connect(menu_Guide, &QAction::triggered, this, &FrmMain::menu_Guide_Click);
    connect(menu_About, &QAction::triggered, this, &FrmMain::menu_About_Click);
}

void FrmMain::describeValueLabels()
{
    // A screen reader reads a value with the caption beside it ("number of
    // collisions: 1200"): the caption labels the value, and the value's
    // description names the caption. Each label keeps its own text as its name.
    const std::pair<QLabel *, QLabel *> pairs[] = {{Label1, H2},
                                                   {Label9, D2},
                                                   {Label4, HD},
                                                   {Label3, Qa},
                                                   {Label12, nHatoms},
                                                   {Label15, nDatoms},
                                                   {Label5, status},
                                                   {LblNumDistros, NumDistros},
                                                   {Label7, ncollide},
                                                   {Label13, bestcol},
                                                   {Label6, logW},
                                                   {Label11, Wmax},
                                                   {Label2, BestQ}};
    for (const auto &[caption, value] : pairs) {
        caption->setBuddy(value);
        value->setAccessibleDescription(caption->text());
    }
}

FrmSetup *FrmMain::setupForm() const
{
    return frmSetup_;
}

FrmBest *FrmMain::bestForm() const
{
    return frmBest_;
}

void FrmMain::loadSetupForm()
{
    delete frmSetup_;
    frmSetup_ = new FrmSetup(sim_, this);
}

// --- what the core asks of the windows ---------------------------------------

void FrmMain::setLabel(MainLabel label, std::string_view text)
{
    const auto i = std::size_t(label);
    // The core's own text, before any translation: best-only mode.
    if (label == MainLabel::NumDistros)
        numDistrosMostProb_ = text == "most prob";
    if (sim_.bRunning) {
        // While collisions run, a label is written many thousand times a
        // second but painted only when events are served: the latest text
        // waits for the next event service.
        if (!labelPending_[i] || pendingLabels_[i] != text) {
            pendingLabels_[i].assign(text);
            labelPending_[i] = true;
        }
        return;
    }
    labelPending_[i] = false;
    writeLabel(labels_[i], coreText(text));
}

void FrmMain::writeLabel(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void FrmMain::flushView()
{
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (labelPending_[i]) {
            labelPending_[i] = false;
            writeLabel(labels_[i], coreText(pendingLabels_[i]));
        }
    }
    if (bestPending_) {
        bestPending_ = false;
        paintBest();
    }
}

SetupFields FrmMain::readSetupFields()
{
    return frmSetup_ ? frmSetup_->fields() : SetupFields{};
}

bool FrmMain::showFluctuations()
{
    return Check1->isChecked();
}

void FrmMain::serveEvents()
{
    if (exiting_)
        return;
    if (sim_.bRunning && pacedRate_ > 0) {
        paceEvents();
        return;
    }
    // Between two repaints the user sees nothing change, so while collisions
    // run a service within a few milliseconds of the last one is skipped.
    if (sim_.bRunning && serviceIntervalMs_ > 0 && serviceClock_.isValid()
        && serviceClock_.elapsed() < serviceIntervalMs_)
        return;
    flushView();
    refreshEquilibrium();
    QCoreApplication::processEvents();
    serviceClock_.start();
}

void FrmMain::ShowMostProbable()
{
    sim_.UpdateStatistics();
    if (!flags_.bShowBest || busy_ || exiting_)
        return;
    busy_ = true;

    if (!flags_.bBestShown) {
        frmBest_ = new FrmBest(this);
        connect(frmBest_, &FrmBest::closedByUser, this, &FrmMain::HideMostProbable);
        flags_.bBestShown = true;
        // The window has no controls: the keyboard stays where it was, so
        // that Space on "Stop Collisions" stops the run it just started.
        frmBest_->setAttribute(Qt::WA_ShowWithoutActivating);
        placeBeside(frmBest_);
        frmBest_->show();
    }

    // With "Show Fluctuations" the window follows the current distribution,
    // otherwise it shows the most probable one.
    int e;
    if (Check1->isChecked()) {
        e = sim_.iCurrent;
        bestCaptionCollision_ = sim_.nCollisions;
    } else {
        e = sim_.iBest;
        bestCaptionCollision_ = sim_.bestCollision;
    }
    if (e < 0 || e > kCapacity)
        e = 0;

    auto &counts = sim_.reg.regCounts[std::size_t(e)];
    sim_.nKind[1] = counts[1];
    sim_.nKind[2] = counts[2];
    sim_.nKind[0] = sim_.nMolecules - sim_.nKind[1] - sim_.nKind[2];
    sim_.FormatQ();
    bestCounts_ = sim_.nKind;

    // The window itself is repainted at most once per event service while
    // collisions run (with "Show Fluctuations" this is called for every
    // change of distribution); at once otherwise.
    bestPending_ = true;
    if (!sim_.bRunning) {
        bestPending_ = false;
        paintBest();
    }

    serveEvents();
    busy_ = false;
}

void FrmMain::paintBest()
{
    if (!frmBest_)
        return;
    //: The most-probable window's title: the collision it shows.
    const QString caption
            = tr("Collision %1").arg(QString::fromStdString(integerToText(bestCaptionCollision_)));
    if (frmBest_->windowTitle() != caption)
        frmBest_->setWindowTitle(caption);

    // Before any system is set up there are no molecules: every column stays
    // at height 0 on the base line.
    frmBest_->FraLevels->showDistribution(bestCounts_, sim_.nMolecules, sim_.decimalPoint);
}

// --- procedures shared by the handlers ---------------------------------------

void FrmMain::ShowMessage(const QString &text)
{
    if (exiting_)
        return;
    QMessageBox box(QMessageBox::NoIcon, tr("Kormix"), text, QMessageBox::Ok, this);
    box.exec();
    if (flags_.bBestShown)
        ShowMostProbable();
}

void FrmMain::HideMostProbable()
{
    if (!flags_.bBestShown)
        return;
    if (frmBest_) {
        disconnect(frmBest_, nullptr, this, nullptr);
        frmBest_->hide();
        // It may be its own close event that brought us here.
        frmBest_->deleteLater();
        frmBest_ = nullptr;
    }
    flags_.bBestShown = false;
    flags_.bShowBest = false;
    setShowBestCaption(false);
}

void FrmMain::setShowBestCaption(bool hides)
{
    showBestHides_ = hides;
    CmdShowBest->setText(hides ? tr("Hide Most Prob") : tr("Most Probable"));
}

void FrmMain::setRunState(RunState state)
{
    runState_ = state;
    switch (state) {
    case RunState::NeedsSetup:
        CmdCollide->setText(tr("Start Collisions"));
        break;
    case RunState::Ready:
        CmdCollide->setText(tr("Start Collisions"));
        setLabel(MainLabel::status, "Setup Complete");
        break;
    case RunState::Running:
        CmdCollide->setText(tr("Stop Collisions"));
        break;
    case RunState::Stopped:
        CmdCollide->setText(tr("Restart Collisions"));
        break;
    }
    updateRunMenu();
}

void FrmMain::placeBeside(QWidget *window) const
{
    // Beside the main window, or at least off its commands.
    std::vector<QRect> commands;
    for (const QWidget *command : {static_cast<const QWidget *>(CmdSetup),
                                   static_cast<const QWidget *>(CmdRestart),
                                   static_cast<const QWidget *>(CmdCollide),
                                   static_cast<const QWidget *>(CmdShowBest),
                                   static_cast<const QWidget *>(cmdShow),
                                   static_cast<const QWidget *>(CmdReviseData),
                                   static_cast<const QWidget *>(ChkSilent),
                                   static_cast<const QWidget *>(Check1)}) {
        if (command->isVisible())
            commands.emplace_back(command->mapToGlobal(QPoint(0, 0)), command->size());
    }
    const QScreen *screen = this->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(frameGeometry());
    // The window is not yet shown, so its frame is not known: the window
    // manager gives it about the main window's.
    const QSize frame = window->size() + (frameGeometry().size() - geometry().size());
    window->move(besidePosition(room, frameGeometry(), frame, commands));
}

void FrmMain::ShowReviseWindow()
{
    sim_.UpdateStatistics();
    if (reviseBusy_)
        return;
    reviseBusy_ = true;
    if (!flags_.bReviseOpen && !exiting_) {
        // Only "Equilibrate" accepts; any other way out leaves this false.
        flags_.bReviseAccepted = false;
        flags_.bReviseOpen = true;
        QPointer<FrmRevise> revise = new FrmRevise(
                sim_,
                reviseSide_,
                [this](const std::array<std::int32_t, 3> &counts) { writeMolecules(counts); },
                nullptr);
        const bool accepted = revise->exec() == QDialog::Accepted;
        delete revise;
        flags_.bReviseAccepted = accepted;
        // However it was closed, the window is gone now, so that the next
        // "Revise Data" can open it again.
        flags_.bReviseOpen = false;
    }
    reviseBusy_ = false;
}

void FrmMain::writeMolecules(const std::array<std::int32_t, 3> &counts)
{
    for (int i = 0; i < 3; ++i)
        frmSetup_->nMolec[i]->setText(QString::number(counts[std::size_t(i)]));
}

void FrmMain::ApplyRevisedData()
{
    sim_.markRevision();
    sim_.ClearSystem();
    frmSetup_->OptBy[0]->setChecked(true);
    writeMolecules({sim_.nKind[0], sim_.nKind[1], sim_.nKind[2]});
    // A run going on goes on with the revised system; otherwise the next
    // start begins afresh.
    if (!sim_.bRunning)
        setRunState(RunState::NeedsSetup);
    sim_.SetupSystem();
    if (!sim_.bNeedsSetup) {
        CmdCollide->setFocus();
        if (sim_.bRunning)
            setLabel(MainLabel::status, "Setup Complete");
        else
            setRunState(RunState::Ready);
        sim_.BeginCollisions();
    }
    refreshEquilibrium(true);
}

// --- commands ----------------------------------------------------------------

void FrmMain::CmdSetup_Click()
{
    flags_.bWasRunning = sim_.bRunning;
    if (sim_.bRunning) {
        // The start handler opens the dialog once the loop has ended.
        sim_.bRunning = false;
        return;
    }
    if (exiting_)
        return;
    HideMostProbable();
    if (sim_.nMolecules == 0) {
        for (QLineEdit *field : frmSetup_->nMolec)
            field->setText("0");
    }
    if (frmSetup_->exec() != QDialog::Accepted) {
        // Closed through its frame: unloaded without a setup, so the next use
        // finds it in its design state.
        loadSetupForm();
    }
    if (exiting_)
        return;
    if (sim_.bNeedsSetup) {
        setRunState(RunState::NeedsSetup);
    } else {
        setRunState(RunState::Ready);
        CmdCollide->setFocus();
        sim_.BeginCollisions();
    }
    refreshEquilibrium(true);
}

void FrmMain::CmdCollide_Click()
{
    if (sim_.bNeedsSetup) {
        ShowMessage(tr("Can't continue with these data--use Setup"));
        CmdSetup->setFocus();
        return;
    }
    flags_.bWasRunning = false;
    if (sim_.bRunning) {
        sim_.bRunning = false;
        setRunState(RunState::Stopped);
    } else {
        sim_.bRunning = true;
        if (runState_ == RunState::NeedsSetup || runState_ == RunState::Ready)
            sim_.BeginCollisions();
        setRunState(RunState::Running);
        CmdShowBest_Click();
        restartPace();
        sim_.RunCollisions();
        flushView();
        refreshEquilibrium(true);
        // The loop also ends without a stop command: when a revision inside it
        // left no usable system, or when a stop came before the loop began.
        // The button must not go on offering to stop it.
        if (!flags_.bWasRunning && !exiting_ && runState_ == RunState::Running)
            setRunState(sim_.bNeedsSetup ? RunState::NeedsSetup : RunState::Stopped);
    }
    if (flags_.bWasRunning)
        CmdSetup_Click();
}

void FrmMain::CmdRestart_Click()
{
    if (sim_.bRunning) {
        ShowMessage(tr("Stop collisions prior to clearing"));
        return;
    }
    setRunState(RunState::NeedsSetup);
    HideMostProbable();
    sim_.ClearSystem();
    loadSetupForm();
    refreshEquilibrium(true);
}

void FrmMain::CmdReviseData_Click()
{
    HideMostProbable();
    ShowReviseWindow();
    if (!flags_.bReviseAccepted || exiting_)
        return;
    if (sim_.bRunning) {
        ApplyRevisedData();
        CmdShowBest_Click();
    } else {
        ApplyRevisedData();
        CmdCollide_Click();
    }
}

void FrmMain::cmdShow_Click()
{
    flushView();
    if (sim_.nStored == 0) {
        ShowMessage(tr("No Distributions to show"));
    } else if (numDistrosMostProb_) {
        ShowMessage(tr("Other distributions were not saved. Choose Setup display option 'display "
                       "all distributions' and restart the collisions if you want to see others."));
    } else {
        sim_.UpdateStatistics();
        if (exiting_)
            return;
        QPointer<FrmDisplay> display = new FrmDisplay(sim_, this);
        display->exec();
        delete display;
        ShowMostProbable();
    }
}

void FrmMain::CmdShowBest_Click()
{
    if (!showBestHides_) {
        if (sim_.nStored == 0) {
            ShowMessage(tr("No Distributions to show"));
        } else {
            setShowBestCaption(true);
            flags_.bShowBest = true;
            ShowMostProbable();
        }
    } else {
        HideMostProbable();
    }
}

void FrmMain::ChkSilent_Click()
{
    sim_.bTurbo = ChkSilent->isChecked();
    if (sim_.bRunning) {
        setLabel(MainLabel::status, sim_.bTurbo ? "running in turbo mode" : "running");
        sim_.UpdateStatistics();
    }
}

void FrmMain::Check1_Click()
{
    flags_.bShowBest = true;
    ShowMostProbable();
}

void FrmMain::menu_Exit_Click()
{
    if (exiting_)
        return;
    exiting_ = true;
    // The loop ends after its current collision and returns to a start
    // handler that has nothing left to open.
    sim_.bRunning = false;
    flags_.bWasRunning = false;
    HideMostProbable();
    const QWidgetList windows = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> open;
    for (QWidget *w : windows) {
        if (w != this && w->isVisible())
            open.append(w);
    }
    for (const QPointer<QWidget> &w : open) {
        if (w)
            w->close();
    }
    close();
    QCoreApplication::quit();
}

void FrmMain::menu_Guide_Click()
{
    if (exiting_)
        return;
    if (!frmGuide_) {
        frmGuide_ = new FrmGuide(this);
        placeBeside(frmGuide_);
    }
    frmGuide_->show();
    frmGuide_->raise();
    frmGuide_->activateWindow();
}

void FrmMain::menu_About_Click()
{
    if (!exiting_)
        showAbout(this);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the window through its frame ends the program as File, Exit does.
    menu_Exit_Click();
    event->accept();
}

} // namespace kormix::ui

namespace kormix::ui {

// --- the Run menu ------------------------------------------------------------

namespace {

// The speeds offered, in collisions per second; 0 is full speed.
struct Speed
{
    const char *name;
    const char *caption;
    std::int64_t rate;
};
constexpr Speed kSpeeds[] = {
        {"menu_speed_full", QT_TRANSLATE_NOOP("kormix::ui::FrmMain", "Full"), 0},
        {"menu_speed_1000000",
         QT_TRANSLATE_NOOP("kormix::ui::FrmMain", "1,000,000 per second"),
         1000000},
        {"menu_speed_10000", QT_TRANSLATE_NOOP("kormix::ui::FrmMain", "10,000 per second"), 10000},
        {"menu_speed_100", QT_TRANSLATE_NOOP("kormix::ui::FrmMain", "100 per second"), 100},
        {"menu_speed_10", QT_TRANSLATE_NOOP("kormix::ui::FrmMain", "10 per second"), 10},
};

const char *const kSeedRange = QT_TRANSLATE_NOOP("kormix::ui::FrmMain",
                                                 "a whole number from 0 to 18446744073709551615");

} // namespace

void FrmMain::buildRunMenu()
{
    menu_run = menuBar()->addMenu(tr("&Run"));
    menu_run->setObjectName("menu_run");
    menu_run->setFont(QApplication::font("QMenu"));

    menu_Step = menu_run->addAction(tr("&Step"));
    menu_Step->setObjectName("menu_Step");
    menu_Step100 = menu_run->addAction(tr("Step &100"));
    menu_Step100->setObjectName("menu_Step100");

    menu_speed = menu_run->addMenu(tr("S&peed"));
    menu_speed->setObjectName("menu_speed");
    menu_speed->setFont(QApplication::font("QMenu"));
    speedGroup = new QActionGroup(this);
    speedGroup->setExclusive(true);
    for (const Speed &speed : kSpeeds) {
        QAction *action = menu_speed->addAction(tr(speed.caption));
        action->setObjectName(speed.name);
        action->setCheckable(true);
        action->setChecked(speed.rate == 0);
        action->setData(QVariant::fromValue<qint64>(speed.rate));
        speedGroup->addAction(action);
    }

    menu_run->addSeparator();
    menu_SetSeed = menu_run->addAction(tr("Set &Seed..."));
    menu_SetSeed->setObjectName("menu_SetSeed");
    menu_ClearSeed = menu_run->addAction(tr("Clear Seed"));
    menu_ClearSeed->setObjectName("menu_ClearSeed");

    connect(menu_Step, &QAction::triggered, this, &FrmMain::menu_Step_Click);
    connect(menu_Step100, &QAction::triggered, this, &FrmMain::menu_Step100_Click);
    connect(speedGroup, &QActionGroup::triggered, this, &FrmMain::speedChosen);
    connect(menu_SetSeed, &QAction::triggered, this, &FrmMain::menu_SetSeed_Click);
    connect(menu_ClearSeed, &QAction::triggered, this, &FrmMain::menu_ClearSeed_Click);
    connect(menu_run, &QMenu::aboutToShow, this, &FrmMain::updateRunMenu);
    updateRunMenu();
}

void FrmMain::updateRunMenu()
{
    if (!menu_run)
        return;
    const bool canStep = (runState_ == RunState::Ready || runState_ == RunState::Stopped)
                         && !sim_.bRunning && !sim_.bNeedsSetup;
    menu_Step->setEnabled(canStep);
    menu_Step100->setEnabled(canStep);
    menu_ClearSeed->setEnabled(sim_.rng.hasFixedSeed());
}

void FrmMain::menu_Step_Click()
{
    runSteps(1);
}

void FrmMain::menu_Step100_Click()
{
    runSteps(100);
}

void FrmMain::runSteps(std::int64_t collisions)
{
    if (sim_.bRunning || sim_.bNeedsSetup || exiting_
        || !(runState_ == RunState::Ready || runState_ == RunState::Stopped))
        return;
    // As the start command does it, but without opening or closing the
    // most-probable window at every step; the stop command ends a slow step
    // early.
    flags_.bWasRunning = false;
    sim_.bRunning = true;
    if (runState_ == RunState::Ready)
        sim_.BeginCollisions();
    setRunState(RunState::Running);
    sim_.stepLog.setRecording(true);
    restartPace();
    sim_.runCollisionsFor(collisions);
    sim_.stepLog.setRecording(false);
    flushView();
    refreshEquilibrium(true); // lists the collisions just stepped
    if (!flags_.bWasRunning && !exiting_ && runState_ == RunState::Running)
        setRunState(sim_.bNeedsSetup ? RunState::NeedsSetup : RunState::Stopped);
    // The counters show the very collision the step ended on, not the last
    // hundredth of turbo mode.
    if (!exiting_)
        ShowMostProbable();
    if (flags_.bWasRunning)
        CmdSetup_Click();
}

void FrmMain::speedChosen(QAction *action)
{
    pacedRate_ = action->data().value<qint64>();
    // A slow run is served after every collision, so that each can be seen
    // and a stop is never held up by a batch of collisions still to pace.
    sim_.setCollisionsPerService(pacedRate_ > 0 && pacedRate_ <= 10000 ? 1 : 50);
    restartPace();
}

void FrmMain::restartPace()
{
    paceFrom_ = sim_.nCollisions;
    paceClock_.start();
}

void FrmMain::paceEvents()
{
    using std::chrono::nanoseconds;
    // While it waits, the loop serves events at least this often, so that a
    // stop is taken within a few milliseconds even at ten collisions a second.
    constexpr qint64 kSliceNs = 2'000'000;
    // A pace that fell this far behind (a modal window held the loop) starts
    // again from here instead of racing to catch up.
    constexpr qint64 kMostBehindNs = 250'000'000;

    if (!paceClock_.isValid() || sim_.nCollisions < paceFrom_)
        restartPace(); // a new run began inside the loop
    auto dueNs = [this] {
        return qint64(double(sim_.nCollisions - paceFrom_) * 1e9 / double(pacedRate_));
    };
    qint64 due = dueNs();
    for (;;) {
        qint64 now = paceClock_.nsecsElapsed();
        if (now - due > kMostBehindNs) {
            restartPace();
            return;
        }
        if (!serviceClock_.isValid() || serviceClock_.nsecsElapsed() >= kSliceNs) {
            // At a speed one can watch, the counters follow every collision.
            sim_.UpdateStatistics();
            flushView();
            QCoreApplication::processEvents();
            serviceClock_.start();
            if (!sim_.bRunning || exiting_ || pacedRate_ == 0)
                return;
            if (sim_.nCollisions < paceFrom_) {
                restartPace();
                return;
            }
            due = dueNs(); // the speed may have changed
            now = paceClock_.nsecsElapsed();
        }
        if (now >= due)
            return;
        std::this_thread::sleep_for(nanoseconds(std::min(due - now, kSliceNs)));
    }
}

void FrmMain::menu_SetSeed_Click()
{
    if (exiting_)
        return;
    const QString current = QString::number(quint64(sim_.rng.currentSeed()));
    QInputDialog dialog(this);
    dialog.setObjectName("dlgSeed");
    dialog.setWindowTitle(tr("Set Seed"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(tr("The seed of this run: %1\n\n"
                           "Every new system starts from the seed given here, so that the "
                           "same setup gives the same run.\nSeed (%2):")
                                .arg(current, tr(kSeedRange)));
    dialog.setTextValue(sim_.rng.hasFixedSeed() ? QString::number(quint64(sim_.rng.fixedSeed()))
                                                : current);
    if (dialog.exec() != QDialog::Accepted || exiting_)
        return;
    const auto seed = readWholeNumber(dialog.textValue().toStdString());
    if (!seed) {
        ShowMessage(tr("The seed must be %1.").arg(tr(kSeedRange)));
        return;
    }
    // Before a run has collided its sequence is still unused, so it starts
    // from the seed at once; a run under way goes on as it was.
    if (!sim_.bRunning && (runState_ == RunState::NeedsSetup || runState_ == RunState::Ready))
        sim_.rng.fixSeed(*seed);
    else
        sim_.rng.fixSeedForLater(*seed);
    updateRunMenu();
}

void FrmMain::menu_ClearSeed_Click()
{
    sim_.rng.clearFixedSeed();
    updateRunMenu();
}

} // namespace kormix::ui
