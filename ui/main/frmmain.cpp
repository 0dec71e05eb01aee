#include "frmmain.h"

#include "best/frmbest.h"
#include "common/fitlabel.h"
#include "common/levelpanel.h"
#include "common/twips.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "display/frmdisplay.h"
#include "main/placement.h"
#include "revise/frmrevise.h"
#include "setup/frmsetup.h"

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
#include <QScreen>

#include <algorithm>
#include <vector>

namespace kormix::ui {

namespace {

constexpr int kCapacity = 1000; // register entries are numbered 1..1000

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

FrmMain::FrmMain(Simulation &sim, QWidget *parent)
    : QMainWindow(parent)
    , sim_(sim)
{
    setObjectName("frmMain");
    setWindowTitle("Kormix 1.2");
    BuildControls();
    sim_.SetHost(this);

    // What the window does when it loads: the setup dialog is loaded once,
    // hidden, and keeps what the user types from one showing to the next.
    LoadSetupForm();
    sim_.ClearSystem();
    sim_.bTurbo = ChkSilent->isChecked();
    CmdSetup->setFocus();
}

FrmMain::~FrmMain()
{
    sim_.SetHost(nullptr);
}

void FrmMain::BuildControls()
{
    setFont(SansFont(8.25, true));
    UseWindowColours(this);

    // The menu keeps the desktop's own font.
    menuBar()->setFont(QApplication::font("QMenuBar"));
    menu_file = menuBar()->addMenu("&File");
    menu_file->setObjectName("menu_file");
    menu_file->setFont(QApplication::font("QMenu"));
    menu_Exit = menu_file->addAction("E&xit");
    menu_Exit->setObjectName("menu_Exit");

    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setAutoFillBackground(true);
    client->setFixedSize(Px(9390), Px(5340));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto button = [client](const char *name, const char *caption, double l, double t, double w) {
        auto *b = new FitButton<QPushButton>(caption, client);
        b->setObjectName(name);
        b->setAutoDefault(false);
        Place(b, l, t, w, 375);
        return b;
    };
    CmdSetup = button("CmdSetup", "Setup System", 240, 120, 1695);
    CmdRestart = button("CmdRestart", "Clear", 2160, 120, 975);
    CmdCollide = button("CmdCollide", "Start Collisions", 3360, 120, 1695);
    CmdShowBest = button("CmdShowBest", "Most Probable", 5280, 120, 1455);
    cmdShow = button("cmdShow", "All Distributions", 6960, 120, 1695);
    CmdReviseData = button("CmdReviseData", "Revise Data", 240, 600, 1695);

    // Turbo mode is on throughout: the box is ticked and never shown.
    ChkSilent = new FitButton<QCheckBox>("turbo mode", client);
    ChkSilent->setObjectName("ChkSilent");
    Place(ChkSilent, 7200, 600, 1455, 375);
    ChkSilent->setChecked(true);
    ChkSilent->hide();

    Check1 = new FitButton<QCheckBox>("Show Fluctuations", client);
    Check1->setObjectName("Check1");
    Place(Check1, 4440, 4080, 3135, 255);
    KeepIndicatorsVisible(client);

    const QFont big = SansFont(12, true);
    auto label = [client,
                  &big](const char *name, const char *text, double l, double t, double w, double h) {
        auto *lb = new FitLabel(text, client);
        lb->setObjectName(name);
        lb->setFont(big);
        lb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Place(lb, l, t, w, h);
        // Never shorter than a line of its font, so that no descender is cut off.
        lb->resize(lb->width(), std::max(lb->height(), lb->fontMetrics().height()));
        return lb;
    };
    Label1 = label("Label1", "molecules of H2", 240, 1200, 2535, 255);
    H2 = label("H2", "0", 3000, 1200, 975, 255);
    Label9 = label("Label9", "molecules of D2", 240, 1560, 2655, 375);
    D2 = label("D2", "0", 3000, 1560, 975, 255);
    Label4 = label("Label4", "molecules of HD", 240, 1920, 2655, 375);
    HD = label("HD", "0", 3000, 1920, 975, 255);
    Label3 = label("Label3", "reaction quotient Q:", 240, 2520, 2655, 375);
    Qa = label("Qa", "0", 3000, 2520, 975, 255);
    Label12 = label("Label12", "atoms of H", 1320, 3360, 1455, 375);
    nHatoms = label("nHatoms", "0", 3000, 3360, 975, 255);
    Label15 = label("Label15", "atoms of D", 1320, 3840, 1455, 375);
    nDatoms = label("nDatoms", "0", 3000, 3840, 975, 255);
    Label5 = label("Label5", "status:", 4440, 1200, 855, 255);
    status = label("status", "needs setup", 5640, 1200, 3135, 375);
    LblNumDistros = label("LblNumDistros", "number of distributions:", 4440, 1560, 2895, 255);
    NumDistros = label("NumDistros", "0", 7560, 1560, 1800, 375);
    Label7 = label("Label7", "number of collisions:", 4440, 1920, 3015, 255);
    ncollide = label("ncollide", "0", 7560, 1920, 1800, 255);
    Label13 = label("Label13", "most prob from collision #", 4440, 2520, 3135, 375);
    bestcol = label("bestcol", "0", 7560, 2520, 1800, 255);
    Label6 = label("Label6", "largest logW found:", 4440, 2880, 2895, 375);
    logW = label("logW", "0", 7560, 2880, 1800, 255);
    Label11 = label("Label11", "largest W found:", 4440, 3240, 2655, 375);
    Wmax = label("Wmax", "1", 7560, 3240, 1800, 255);
    Label2 = label("Label2", "Q of most probable:", 4440, 3600, 2655, 375);
    BestQ = label("BestQ", "1", 7560, 3600, 1800, 255);

    QPalette red = status->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    status->setPalette(red);

    Label8 = new FitLabel("ver. 1.2  comments to kormix-team@users.noreply.example", client);
    Label8->setObjectName("Label8");
    Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(Label8, 120, 4920, 4455, 255);

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

FrmSetup *FrmMain::setupForm() const
{
    return frmSetup_;
}

FrmBest *FrmMain::bestForm() const
{
    return frmBest_;
}

void FrmMain::LoadSetupForm()
{
    delete frmSetup_;
    frmSetup_ = new FrmSetup(sim_, this);
}

// --- what the core asks of the windows ---------------------------------------

void FrmMain::SetLabel(MainLabel label, std::string_view text)
{
    if (label == MainLabel::ncollide || label == MainLabel::NumDistros) {
        std::optional<std::string> &pending = pendingCounters_[label == MainLabel::ncollide ? 0 : 1];
        if (sim_.bRunning) {
            // Held back until the next event service: nothing is painted before it.
            if (pending)
                pending->assign(text);
            else
                pending.emplace(text);
            return;
        }
        pending.reset();
    }
    labels_[std::size_t(label)]->setText(Text(text));
}

void FrmMain::FlushCounters()
{
    if (pendingCounters_[0]) {
        ncollide->setText(QString::fromStdString(*pendingCounters_[0]));
        pendingCounters_[0].reset();
    }
    if (pendingCounters_[1]) {
        NumDistros->setText(QString::fromStdString(*pendingCounters_[1]));
        pendingCounters_[1].reset();
    }
}

SetupFields FrmMain::ReadSetupFields()
{
    return frmSetup_ ? frmSetup_->Fields() : SetupFields{};
}

bool FrmMain::ShowFluctuations()
{
    return Check1->isChecked();
}

void FrmMain::ServeEvents()
{
    if (exiting_)
        return;
    // Between two repaints the user sees nothing change, so while collisions
    // run a service within a few milliseconds of the last one is skipped.
    if (sim_.bRunning && serviceIntervalMs_ > 0 && serviceClock_.isValid()
        && serviceClock_.elapsed() < serviceIntervalMs_)
        return;
    FlushCounters();
    QCoreApplication::processEvents();
    serviceClock_.start();
}

void FrmMain::ShowMostProbable()
{
    sim_.UpdateStatistics();
    if (!sim_.bShowBest || busy_ || exiting_)
        return;
    busy_ = true;

    if (!sim_.bBestShown) {
        frmBest_ = new FrmBest(this);
        connect(frmBest_, &FrmBest::ClosedByUser, this, &FrmMain::HideMostProbable);
        bestLevelTop = frmBest_->FraLevels->designLin(0).top();
        bestLevelHeight = frmBest_->FraLevels->designLin(0).height();
        sim_.bBestShown = true;
        PlaceBeside(frmBest_);
        frmBest_->show();
    } else {
        frmBest_->FraLevels->SetColumnsVisible(false);
    }
    const double base = bestLevelTop + bestLevelHeight;

    // With "Show Fluctuations" the window follows the current distribution,
    // otherwise it shows the most probable one.
    int e;
    QString caption;
    if (Check1->isChecked()) {
        e = sim_.iCurrent;
        caption = "Collision " + Text(IntegerToText(sim_.nCollisions));
    } else {
        e = sim_.iBest;
        caption = "Collision " + bestcol->text();
    }
    if (e < 0 || e > kCapacity)
        e = 0;
    frmBest_->setWindowTitle(caption);
    frmBest_->update();

    auto &counts = sim_.reg.regCounts[std::size_t(e)];
    sim_.nKind[1] = counts[1];
    sim_.nKind[2] = counts[2];
    sim_.nKind[0] = sim_.nMolecules - sim_.nKind[1] - sim_.nKind[2];
    clrMark = frmBest_->cir(0).fill;

    // Before any system is set up there are no molecules: every column stays
    // at height 0 on the base line.
    const double scale = sim_.nMolecules != 0 ? bestLevelHeight / sim_.nMolecules : 0.0;

    sim_.FormatQ();
    frmBest_->FraLevels->Qa->setText(Text(sim_.Q.Text()));
    frmBest_->FraLevels->ShowCounts(sim_.nKind, scale, base, sim_.nMolecules, sim_.decimalPoint);

    ServeEvents();
    busy_ = false;
}

// --- procedures shared by the handlers ---------------------------------------

void FrmMain::ShowMessage(const QString &text)
{
    if (exiting_)
        return;
    QMessageBox box(QMessageBox::NoIcon, "Kormix", text, QMessageBox::Ok, this);
    box.exec();
    if (sim_.bBestShown)
        ShowMostProbable();
}

void FrmMain::HideMostProbable()
{
    if (!sim_.bBestShown)
        return;
    if (frmBest_) {
        disconnect(frmBest_, nullptr, this, nullptr);
        frmBest_->hide();
        // It may be its own close event that brought us here.
        frmBest_->deleteLater();
        frmBest_ = nullptr;
    }
    sim_.bBestShown = false;
    sim_.bShowBest = false;
    CmdShowBest->setText("Most Probable");
}

void FrmMain::PlaceBeside(QWidget *window) const
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
    window->move(BesidePosition(room, frameGeometry(), frame, commands));
}

void FrmMain::ShowReviseWindow()
{
    sim_.UpdateStatistics();
    if (reviseBusy_)
        return;
    reviseBusy_ = true;
    if (!sim_.bReviseOpen && !exiting_) {
        // Only "Equilibrate" accepts; any other way out leaves this false.
        sim_.bReviseAccepted = false;
        QPointer<FrmRevise> revise = new FrmRevise(
                sim_,
                [this](const std::array<std::int32_t, 3> &counts) { WriteMolecules(counts); },
                nullptr);
        revise->exec();
        delete revise;
        // However it was closed, the window is gone now, so that the next
        // "Revise Data" can open it again.
        sim_.bReviseOpen = false;
    }
    reviseBusy_ = false;
}

void FrmMain::WriteMolecules(const std::array<std::int32_t, 3> &counts)
{
    for (int i = 0; i < 3; ++i)
        frmSetup_->nMolec[i]->setText(QString::number(counts[std::size_t(i)]));
}

void FrmMain::ApplyRevisedData()
{
    sim_.ClearSystem();
    frmSetup_->OptBy[0]->setChecked(true);
    WriteMolecules({sim_.nKind[0], sim_.nKind[1], sim_.nKind[2]});
    if (!sim_.bRunning)
        CmdCollide->setText("Start Collisions");
    sim_.SetupSystem();
    if (sim_.bNeedsSetup)
        return;
    CmdCollide->setFocus();
    SetLabel(MainLabel::status, "Setup Complete");
    sim_.BeginCollisions();
}

// --- commands ----------------------------------------------------------------

void FrmMain::CmdSetup_Click()
{
    sim_.bWasRunning = sim_.bRunning;
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
        LoadSetupForm();
    }
    if (exiting_)
        return;
    CmdCollide->setText("Start Collisions");
    if (!sim_.bNeedsSetup) {
        CmdCollide->setFocus();
        SetLabel(MainLabel::status, "Setup Complete");
        sim_.BeginCollisions();
    }
}

void FrmMain::CmdCollide_Click()
{
    if (sim_.bNeedsSetup) {
        ShowMessage("Can't continue with these data--use Setup");
        CmdSetup->setFocus();
        return;
    }
    sim_.bWasRunning = false;
    if (sim_.bRunning) {
        sim_.bRunning = false;
        CmdCollide->setText("Restart Collisions");
    } else {
        sim_.bRunning = true;
        if (CmdCollide->text() == "Start Collisions")
            sim_.BeginCollisions();
        CmdCollide->setText("Stop Collisions");
        CmdShowBest_Click();
        sim_.RunCollisions();
        FlushCounters();
        // The loop also ends without a stop command: when a revision inside it
        // left no usable system, or when a stop came before the loop began.
        // The button must not go on offering to stop it.
        if (!sim_.bWasRunning && !exiting_ && CmdCollide->text() == "Stop Collisions")
            CmdCollide->setText(sim_.bNeedsSetup ? "Start Collisions" : "Restart Collisions");
    }
    if (sim_.bWasRunning)
        CmdSetup_Click();
}

void FrmMain::CmdRestart_Click()
{
    if (sim_.bRunning) {
        ShowMessage("Stop collisions prior to clearing");
        return;
    }
    CmdCollide->setText("Start Collisions");
    HideMostProbable();
    sim_.ClearSystem();
    LoadSetupForm();
}

void FrmMain::CmdReviseData_Click()
{
    HideMostProbable();
    ShowReviseWindow();
    if (!sim_.bReviseAccepted || exiting_)
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
    FlushCounters();
    if (sim_.nStored == 0) {
        ShowMessage("No Distributions to show");
    } else if (NumDistros->text() == "most prob") {
        ShowMessage("Other distributions were not saved. Choose Setup display option 'display "
                    "all distributions' and restart the collisions if you want to see others.");
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
    if (CmdShowBest->text() == "Most Probable") {
        if (sim_.nStored == 0) {
            ShowMessage("No Distributions to show");
        } else {
            CmdShowBest->setText("Hide Most Prob");
            sim_.bShowBest = true;
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
        SetLabel(MainLabel::status, sim_.bTurbo ? "running in turbo mode" : "running");
        sim_.UpdateStatistics();
    }
}

void FrmMain::Check1_Click()
{
    sim_.bShowBest = true;
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
    sim_.bWasRunning = false;
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

void FrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the window through its frame ends the program as File, Exit does.
    menu_Exit_Click();
    event->accept();
}

} // namespace kormix::ui
