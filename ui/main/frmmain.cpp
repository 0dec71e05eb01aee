// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/frmmain.h"

#include "core/version.h"
#include "core/workbook.h"
#include "ui/best/frmbest.h"
#include "ui/common/translation.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"
#include "ui/display/frmdisplay.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/helpmenu.h"
#include "ui/main/mostprobable.h"
#include "ui/main/runmenu.h"
#include "ui/main/viewmenu.h"
#include "ui/model/runmodel.h"
#include "ui/revise/frmrevise.h"
#include "ui/setup/frmsetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace kormix::ui {

FrmMain::FrmMain(RunModel &model, Desktop desktop, QWidget *parent)
    : QMainWindow(parent)
    , model_(model)
    , desktop_(std::move(desktop))
{
    setObjectName("frmMain");
    //: The main window's title: the program and its version.
    setWindowTitle(tr("Kormix %1").arg(QString::fromLatin1(kVersion)));
    setFont(sansFont(8.25, true));
    useWindowColours(this);

    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setAutoFillBackground(true);
    client->setFixedSize(px(9390), px(5340));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildFileMenu();
    mostProbable_ = new MostProbable(model_, this);
    viewMenu_ = new ViewMenu(model_, *this, desktop_);
    runMenu_ = new RunMenu(model_, *this);
    // Help is the last menu, after every one the window builds.
    helpMenu_ = new HelpMenu(*this);
    placeMenuItems(menuBar(), menu_Exit, helpMenu_->menu_About);
    buildCommands(client);
    buildLabels(client);
    describeValueLabels();
    connectCommands();

    // What the window does when it loads: the setup dialog is loaded once,
    // hidden, and keeps what the user types from one showing to the next;
    // the labels show the cleared system.
    loadSetupForm();
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (model_.labelWritten(MainLabel(i)))
            showLabel(MainLabel(i));
    }
    showRunState();
    model_.setTurbo(ChkSilent->isChecked());
    CmdSetup->setFocus();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildFileMenu()
{
    // The menu keeps the desktop's own font.
    menuBar()->setFont(QApplication::font("QMenuBar"));
    menu_file = addNamedMenu(menuBar(), tr("&File"), "menu_file");
    menu_Workbook = addNamedAction(menu_file, tr("Save &Workbook..."), "menu_Workbook");
    menu_file->addSeparator();
    menu_Exit = addNamedAction(menu_file, tr("E&xit"), "menu_Exit");
}

void FrmMain::buildCommands(QWidget *client)
{
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
}

void FrmMain::buildLabels(QWidget *client)
{
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
                       tr("ver. %1  comments to kormix-team@users.noreply.example")
                               .arg(QString::fromLatin1(kVersion)),
                       QRectF(120, 4920, 4455, 255));

    labels_ = {H2,
               HD,
               D2,
               Qa,
               status,
               ncollide,
               NumDistros,
               bestcol,
               logW,
               Wmax,
               BestQ,
               nHatoms,
               nDatoms}; // in the order of MainLabel
}

void FrmMain::connectCommands()
{
    connect(CmdSetup, &QPushButton::clicked, this, &FrmMain::CmdSetup_Click);
    connect(CmdRestart, &QPushButton::clicked, this, &FrmMain::CmdRestart_Click);
    connect(CmdCollide, &QPushButton::clicked, this, &FrmMain::CmdCollide_Click);
    connect(CmdShowBest, &QPushButton::clicked, this, &FrmMain::CmdShowBest_Click);
    connect(cmdShow, &QPushButton::clicked, this, &FrmMain::cmdShow_Click);
    connect(CmdReviseData, &QPushButton::clicked, this, &FrmMain::CmdReviseData_Click);
    connect(Check1, &QCheckBox::toggled, this, &FrmMain::Check1_Click);
    connect(menu_Workbook, &QAction::triggered, this, &FrmMain::menu_Workbook_Click);
    connect(menu_Exit, &QAction::triggered, this, &FrmMain::menu_Exit_Click);

    connect(&model_, &RunModel::labelChanged, this, &FrmMain::showLabel);
    connect(&model_, &RunModel::runStateChanged, this, &FrmMain::showRunState);
    connect(mostProbable_, &MostProbable::hidden, this, [this] { setShowBestCaption(false); });
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
    return mostProbable_->form();
}

FrmEquilibrium *FrmMain::equilibriumForm() const
{
    return viewMenu_->equilibriumForm();
}

FrmMain::WindowFlags FrmMain::flags() const
{
    return {mostProbable_->bShowBest(),
            mostProbable_->bBestShown(),
            bWasRunning_,
            bReviseOpen_,
            bReviseAccepted_};
}

void FrmMain::loadSetupForm()
{
    delete frmSetup_;
    frmSetup_ = new FrmSetup(this);
}

void FrmMain::showLabel(MainLabel label)
{
    writeText(labels_[std::size_t(label)], coreText(model_.labelText(label)));
}

void FrmMain::showRunState()
{
    switch (model_.runState()) {
    case RunModel::RunState::NeedsSetup:
    case RunModel::RunState::Ready:
        CmdCollide->setText(tr("Start Collisions"));
        break;
    case RunModel::RunState::Running:
        CmdCollide->setText(tr("Stop Collisions"));
        break;
    case RunModel::RunState::Stopped:
        CmdCollide->setText(tr("Restart Collisions"));
        break;
    }
}

void FrmMain::setShowBestCaption(bool hides)
{
    showBestHides_ = hides;
    CmdShowBest->setText(hides ? tr("Hide Most Prob") : tr("Most Probable"));
}

// --- procedures shared by the handlers ---------------------------------------

void FrmMain::ShowMessage(const QString &text)
{
    if (exiting_)
        return;
    QMessageBox box(QMessageBox::NoIcon, tr("Kormix"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // a path is never markup
    box.exec();
    if (mostProbable_->bBestShown())
        mostProbable_->ShowMostProbable();
}

std::optional<std::array<std::int32_t, 3>> FrmMain::ShowReviseWindow()
{
    model_.UpdateStatistics();
    if (reviseBusy_)
        return std::nullopt;
    reviseBusy_ = true;
    std::optional<std::array<std::int32_t, 3>> revised;
    if (!bReviseOpen_ && !exiting_) {
        // Only "Equilibrate" accepts; any other way out leaves this false.
        bReviseAccepted_ = false;
        bReviseOpen_ = true;
        const Simulation &sim = model_.sim();
        QPointer<FrmRevise> revise = new FrmRevise({sim.nKind[0], sim.nKind[1], sim.nKind[2]},
                                                   sim.nMolecules,
                                                   sim.decimalPoint,
                                                   reviseSide_,
                                                   nullptr);
        if (revise->exec() == QDialog::Accepted && revise) {
            bReviseAccepted_ = true;
            revised = revise->nKind;
        }
        delete revise;
        // However it was closed, the window is gone now, so that the next
        // "Revise Data" can open it again.
        bReviseOpen_ = false;
    }
    reviseBusy_ = false;
    return revised;
}

void FrmMain::ApplyRevisedData(const std::array<std::int32_t, 3> &counts)
{
    // The revised counts reach the core as if the user had typed them into
    // the setup dialog by molecules.
    frmSetup_->OptBy[0]->setChecked(true);
    for (int i = 0; i < 3; ++i)
        frmSetup_->nMolec[i]->setText(QString::number(counts[std::size_t(i)]));
    if (model_.revise(frmSetup_->fields()))
        CmdCollide->setFocus();
}

void FrmMain::whileRunning(const std::function<void()> &run)
{
    bWasRunning_ = false;
    run();
    if (bWasRunning_)
        CmdSetup_Click();
}

// --- commands ----------------------------------------------------------------

void FrmMain::CmdSetup_Click()
{
    bWasRunning_ = model_.bRunning();
    if (bWasRunning_) {
        // The start handler opens the dialog once the loop has ended.
        model_.stop();
        return;
    }
    if (exiting_)
        return;
    mostProbable_->HideMostProbable();
    if (model_.sim().nMolecules == 0) {
        for (QLineEdit *field : frmSetup_->nMolec)
            field->setText("0");
    }
    if (frmSetup_->exec() != QDialog::Accepted) {
        // Closed without OK: unloaded without a setup, so the next use finds
        // it in its design state, and the run stays exactly as it was.
        loadSetupForm();
        return;
    }
    if (exiting_)
        return;
    if (model_.setup(frmSetup_->fields()))
        CmdCollide->setFocus();
}

void FrmMain::CmdCollide_Click()
{
    if (model_.bNeedsSetup()) {
        ShowMessage(tr("Can't continue with these data--use Setup"));
        CmdSetup->setFocus();
        return;
    }
    if (model_.bRunning()) {
        bWasRunning_ = false;
        model_.stop();
        return;
    }
    whileRunning([this] {
        if (!model_.start())
            return;
        CmdShowBest_Click();
        model_.runCollisions();
    });
}

void FrmMain::CmdRestart_Click()
{
    if (model_.bRunning()) {
        ShowMessage(tr("Stop collisions prior to clearing"));
        return;
    }
    mostProbable_->HideMostProbable();
    model_.clear();
    loadSetupForm();
}

void FrmMain::CmdReviseData_Click()
{
    mostProbable_->HideMostProbable();
    const auto revised = ShowReviseWindow();
    if (!revised || exiting_)
        return;
    const bool running = model_.bRunning();
    ApplyRevisedData(*revised);
    if (running)
        CmdShowBest_Click();
    else
        CmdCollide_Click();
}

void FrmMain::cmdShow_Click()
{
    if (model_.sim().nStored == 0) {
        ShowMessage(tr("No Distributions to show"));
    } else if (model_.labelText(MainLabel::NumDistros) == "most prob") {
        ShowMessage(tr("Other distributions were not saved. Choose Setup display option 'display "
                       "all distributions' and restart the collisions if you want to see others."));
    } else {
        model_.UpdateStatistics();
        if (exiting_)
            return;
        QPointer<FrmDisplay> display = new FrmDisplay(model_.sim(), desktop_, this);
        // The revise-data window opens on the distribution shown last.
        model_.setShownDistribution(display->shownCounts());
        connect(display, &FrmDisplay::distributionShown, &model_, &RunModel::setShownDistribution);
        display->exec();
        delete display;
        mostProbable_->ShowMostProbable();
    }
}

void FrmMain::CmdShowBest_Click()
{
    if (!showBestHides_) {
        if (model_.sim().nStored == 0) {
            ShowMessage(tr("No Distributions to show"));
        } else {
            setShowBestCaption(true);
            mostProbable_->setShowBest(true);
            mostProbable_->ShowMostProbable();
        }
    } else {
        mostProbable_->HideMostProbable();
    }
}

void FrmMain::Check1_Click()
{
    model_.setShowFluctuations(Check1->isChecked());
    mostProbable_->setShowBest(true);
    mostProbable_->ShowMostProbable();
}

void FrmMain::menu_Workbook_Click()
{
    if (!desktop_.askSavePath)
        return;
    const QString path = desktop_.askSavePath(tr("Save Workbook"),
                                              "distributions.xlsx",
                                              tr("Excel workbooks (*.xlsx)"));
    if (path.isEmpty())
        return;
    WorkbookTexts texts;
    //: The name of the workbook's sheet of distributions (at most 31 characters).
    texts.distributionsSheet = tr("Distributions").toStdString();
    //: The name of the workbook's sheet of compositions (at most 31 characters).
    texts.compositionsSheet = tr("Compositions").toStdString();
    //: The title of the workbook's chart.
    texts.chartTitle = tr("Distributions by %HD").toStdString();
    texts.theoretical = tr("theoretical P").toStdString();
    texts.observed = tr("observed frequency").toStdString();
    FrmEquilibrium *equilibrium = equilibriumForm();
    // UTF-16 names any file on Windows; elsewhere it becomes the file system's UTF-8.
    const ExportResult result = writeWorkbook(std::filesystem::path(path.toStdU16String()),
                                              model_.sim(),
                                              equilibrium ? equilibrium->compositionsNow()
                                                          : std::nullopt,
                                              texts);
    if (!result.ok)
        ShowMessage(FrmDisplay::exportMessage(result));
}

void FrmMain::menu_Exit_Click()
{
    if (exiting_)
        return;
    exiting_ = true;
    // The loop ends after its current collision and returns to a start
    // handler that has nothing left to open.
    model_.shutDown();
    mostProbable_->shutDown();
    bWasRunning_ = false;
    mostProbable_->HideMostProbable();
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

void FrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the window through its frame ends the program as File, Exit does.
    menu_Exit_Click();
    event->accept();
}

} // namespace kormix::ui
