// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/display/frmdisplay.h"

#include "ui/common/levelpanel.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include "core/chartrules.h"
#include "core/distributionsfile.h"
#include "core/numberformat.h"
#include "core/simulation.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kormix::ui {

namespace {

// The window's layout, in twips.
constexpr double kClientWidth = 9105;
constexpr double kClientHeight = 4980;
constexpr double kDistroWidth = 6375; // FraDistro
constexpr double kDistroHeight = 3495;
constexpr double kMinBarHeight = 25; // the lowest bar still shows
constexpr double kMinBarPitch = 25;  // the narrowest bar still shows

// The two design elements of the bar array: the first gives the geometry and
// the colour of every bar, the second the colour of the selected one.
const PaintedShape kDesignBar0{QRectF(480, 480, 375, 2775), QColor(0, 0, 255), false};
const PaintedShape kDesignBar1{QRectF(1080, 480, 375, 2775), QColor(255, 0, 0), false};

// The composition panel in FraLevels.
LevelPanelLayout panelLayout()
{
    LevelPanelLayout l;
    l.frame = QRectF(7080, 120, 1935, 3495);
    l.nMolec = {QRectF(240, 240, 1455, 255),  // H2
                QRectF(240, 720, 1695, 255),  // HD, with its percentage
                QRectF(240, 480, 1455, 255)}; // D2
    l.label2 = QRectF(240, 960, 495, 255);
    l.qa = QRectF(600, 960, 1095, 255);
    l.lin = {QRectF(360, 1200, 225, 2175),   // H2, red
             QRectF(1440, 1200, 105, 2175),  // right half of HD, black
             QRectF(840, 1200, 225, 2175),   // D2, black
             QRectF(1320, 1200, 105, 2175)}; // left half of HD, red
    l.labelPoints = 8.25;                    // the window's own font
    return l;
}

// A frame as the window's design draws it: a thin line all round with the
// caption set into the top line, and the frame's own background everywhere,
// so that the chart's white reaches the line and its title stays inside.
class CaptionFrame : public QGroupBox
{
public:
    CaptionFrame(const QString &caption, QWidget *parent)
        : QGroupBox(caption, parent)
    {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int middle = title().isEmpty() ? 0 : metrics.height() / 2;
        painter.setPen(lineColour(palette()));
        painter.drawRect(rect().adjusted(0, middle, -1, -1));
        if (title().isEmpty())
            return;
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};

} // namespace

FrmDisplay::FrmDisplay(const Simulation &sim, const Desktop &desktop, QWidget *parent)
    : QDialog(parent)
    , sim_(sim)
    , desktop_(desktop)
{
    setObjectName("frmDisplay");
    setWindowTitle(tr("Detailed Display of System"));
    setModal(true);
    setFont(sansFont(8.25));
    useWindowColours(this);
    setClientSize(this, kClientWidth, kClientHeight);
    buildChartFrame();
    FraLevels = new LevelPanel(panelLayout(), this);
    buildOptionsAndCommands();
    connectControls();
    keepIndicatorsVisible(this);
    Form_Load();
    cmdExit->setFocus();
}

void FrmDisplay::buildChartFrame()
{
    // The chart's frame, white, with the painted bars and the two captions
    // over them. Clicks anywhere in it pick a bar, captions included.
    FraDistro = new CaptionFrame(tr("Distributions"), this);
    FraDistro->setObjectName("FraDistro");
    useWhiteBackground(FraDistro);
    place(FraDistro, 720, 120, kDistroWidth, kDistroHeight);
    chart = new DistributionChart(FraDistro);
    chart->addBar(kDesignBar0);
    chart->addBar(kDesignBar1);
    chart->setAccessibleName(tr("Distributions"));

    //: The chart's title before it is set; never seen.
    title = makeLabel(FraDistro, "title", tr("title"), QRectF(1560, 120, 4215, 375), sansFont(12));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    Standby = makeLabel(FraDistro,
                        "Standby",
                        tr("Please Standby"),
                        QRectF(4560, 480, 1695, 255),
                        sansFont(9.75));
    useWhiteBackground(Standby);
    Standby->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrmDisplay::buildOptionsAndCommands()
{
    Frame4 = new CaptionFrame(tr("Options"), this);
    Frame4->setObjectName("Frame4");
    place(Frame4, 720, 3600, kDistroWidth, 615);
    OptTheoretical = makeButton<QRadioButton>(Frame4,
                                              "OptTheoretical",
                                              tr("Theoretical"),
                                              QRectF(840, 240, 1695, 255));
    OptTheoretical->setChecked(true);
    OptActual = makeButton<QRadioButton>(Frame4,
                                         "OptActual",
                                         tr("Actual"),
                                         QRectF(2760, 240, 1455, 255));

    Frame1 = new CaptionFrame(QString(), this);
    Frame1->setObjectName("Frame1");
    place(Frame1, 7080, 3600, 1815, 615);
    W = makeLabel(Frame1, "W", "", QRectF(120, 240, 1575, 255));

    // Lies over the right end of Frame4, so it is made after it.
    CmdMostProbable = makeButton<QPushButton>(this,
                                              "CmdMostProbable",
                                              //: Selects the bar of the most probable distribution.
                                              tr("Highest"),
                                              QRectF(5640, 3840, 1095, 255));

    Label7 = makeLabel(this,
                       "Label7",
                       tr("number of collisions:"),
                       QRectF(2160, 4440, 2655, 255),
                       sansFont(12));
    ncoll = makeLabel(this, "ncoll", "0", QRectF(4800, 4440, 1815, 255), sansFont(12));
    //: Writes every distribution to a file for a spreadsheet.
    Command1 = makeButton<QPushButton>(this, "Command1", tr("Excel"), QRectF(6600, 4440, 1095, 375));
    //: Closes the window.
    cmdExit = makeButton<QPushButton>(this, "cmdExit", tr("done"), QRectF(7800, 4440, 1095, 375));

    setTabOrder(cmdExit, CmdMostProbable);
    setTabOrder(CmdMostProbable, OptActual);
    setTabOrder(OptActual, OptTheoretical);
    setTabOrder(OptTheoretical, Command1);
}

void FrmDisplay::connectControls()
{
    connect(OptTheoretical, &QRadioButton::clicked, this, &FrmDisplay::OptTheoretical_Click);
    connect(OptActual, &QRadioButton::clicked, this, &FrmDisplay::OptActual_Click);
    connect(CmdMostProbable, &QPushButton::clicked, this, &FrmDisplay::CmdMostProbable_Click);
    connect(cmdExit, &QPushButton::clicked, this, &FrmDisplay::cmdExit_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmDisplay::Command1_Click);
    connect(chart, &DistributionChart::mouseDown, this, &FrmDisplay::FraDistro_MouseDown);

    // The keys N and P step through the bars from any of these controls.
    for (QWidget *w : {static_cast<QWidget *>(cmdExit),
                       static_cast<QWidget *>(CmdMostProbable),
                       static_cast<QWidget *>(OptActual),
                       static_cast<QWidget *>(OptTheoretical)})
        w->installEventFilter(this);
}

void FrmDisplay::Form_Load()
{
    InitChartState();
    title->setText(tr("Theoretical Probabilities"));
    BuildBars();
    SelectBar(iMaxLnW);
}

int FrmDisplay::barCount() const
{
    return std::clamp(sim_.nStored, 0, DistributionRegister::kCapacity);
}

double FrmDisplay::usableWidth() const
{
    return kDistroWidth - 2 * barWidth;
}

void FrmDisplay::InitChartState()
{
    iSelected = -1;
    nBarsLoaded = 2;
    ncoll->setText(QString::fromStdString(integerToText(sim_.nCollisions)));

    clrBar = bar(0).fill;
    clrMark = bar(1).fill;
    const QRectF &design = bar(0).geometry;
    barBaseY = design.top() + design.height();
    barDesignWidth = design.width();
    barMaxHeight = design.height();

    iMaxFreq = -1;
    iMaxLnW = -1;
    maxFreq = 0;
    maxLnW = 0;
    const DistributionRegister &reg = sim_.reg;
    for (int k = 0; k < barCount(); ++k) {
        const int e = k + 1;
        barEntry[std::size_t(k)] = std::int16_t(e);
        // Strictly greater: among equal values the lowest position wins.
        if (reg.regFreq[e] > maxFreq) {
            maxFreq = reg.regFreq[e];
            iMaxFreq = k;
        }
        if (reg.regLnW[e] > maxLnW) {
            maxLnW = reg.regLnW[e];
            iMaxLnW = k;
        }
    }
}

double FrmDisplay::barHeight(int e) const
{
    const DistributionRegister &reg = sim_.reg;
    double h = 0;
    if (OptActual->isChecked()) {
        if (maxFreq > 0)
            h = double(reg.regFreq[e]) * barMaxHeight / double(maxFreq);
    } else {
        h = std::exp(reg.regLnW[e] - sim_.lnWBest) * barMaxHeight;
    }
    return h < kMinBarHeight ? kMinBarHeight : h;
}

void FrmDisplay::BuildBars()
{
    Standby->show();
    barWidth = barDesignWidth;
    const double usable = usableWidth();
    // Neighbouring distributions differ by two HD molecules: bars this wide
    // touch their neighbours.
    barPitch = sim_.nMolecules > 0 ? 2 * usable / sim_.nMolecules : barDesignWidth;
    if (barPitch > barDesignWidth)
        barPitch = barDesignWidth;
    if (barPitch < kMinBarPitch)
        barPitch = kMinBarPitch;

    const PaintedShape copy{bar(0).geometry, bar(0).fill, false};
    for (int k = 0; k < barCount(); ++k) {
        const int e = barEntry[std::size_t(k)];
        if (k == nBarsLoaded) {
            chart->addBar(copy);
            ++nBarsLoaded;
        }
        chart->setBarVisible(k, false);
        const double left = barWidth - barPitch / 2 + sim_.reg.regFracHD[e] * usable;
        const double height = barHeight(e);
        chart->setBarGeometry(k, QRectF(left, barBaseY - height, barPitch, height));
        chart->setBarFill(k, clrBar);
        chart->setBarVisible(k, true);
    }
    Standby->hide();
}

void FrmDisplay::UpdateBarHeights()
{
    for (int k = 0; k < barCount(); ++k) {
        const double height = barHeight(barEntry[std::size_t(k)]);
        QRectF g = bar(k).geometry;
        g.setTop(barBaseY - height);
        g.setHeight(height);
        chart->setBarGeometry(k, g);
    }
}

void FrmDisplay::SelectBar(int p)
{
    const int n = barCount();
    if (n == 0)
        return; // nothing to select in an empty register
    p = clampSelection(p, n);
    if (iSelected >= 0)
        chart->setBarFill(iSelected, clrBar);
    chart->setBarFill(p, clrMark);
    chart->setTopBar(p);
    iSelected = p;
    ShowSelectedDistribution();
}

void FrmDisplay::PickNearestBar(double X)
{
    // The click's place on the plotting range: 0 at its left end, 1 at its right.
    const double x = (X - barWidth) / usableWidth();
    std::vector<double> fracHD(static_cast<std::size_t>(barCount()));
    for (std::size_t k = 0; k < fracHD.size(); ++k)
        fracHD[k] = sim_.reg.regFracHD[barEntry[k]];
    SelectBar(nearestBar(fracHD, x));
}

void FrmDisplay::StepSelectionByKey(int keyAscii)
{
    if (keyAscii < 0)
        return;
    const int step = selectionStep(char32_t(keyAscii));
    if (step != 0)
        SelectBar(iSelected + step);
}

void FrmDisplay::ShowSelectedDistribution()
{
    const int e = barEntry[std::size_t(iSelected)];
    const DistributionRegister &reg = sim_.reg;
    W->setText(tr("W = %1").arg(QString::fromStdString(FormatW(reg.regLnW[e], sim_.decimalPoint))));

    const std::array<std::int32_t, 3> counts = reg.countsOf(e, sim_.nMolecules);
    shownCounts_ = counts;
    // The panel works out the quotient of the distribution it shows: the
    // run's Q is not touched.
    FraLevels->showDistribution({counts[0], counts[1], counts[2], 0},
                                sim_.nMolecules,
                                sim_.decimalPoint);
    // What the painted chart shows to a screen reader: the bar selected.
    //: What a screen reader says of the chart: the selected bar's counts, its W and its Q.
    chart->setAccessibleDescription(tr("%1 H2, %2 HD, %3 D2, %4, Q = %5")
                                            .arg(counts[0])
                                            .arg(counts[1])
                                            .arg(counts[2])
                                            .arg(W->text(), FraLevels->Qa->text()));
    emit distributionShown(counts);
}

bool FrmDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (!text.isEmpty())
            StepSelectionByKey(text.at(0).unicode());
    }
    // The key goes on to the control unchanged.
    return QDialog::eventFilter(watched, event);
}

void FrmDisplay::OptTheoretical_Click()
{
    title->setText(tr("Theoretical Probabilities"));
    UpdateBarHeights();
    SelectBar(iMaxLnW);
}

void FrmDisplay::OptActual_Click()
{
    title->setText(tr("Actual Frequencies"));
    UpdateBarHeights();
    // The selection goes to the highest-W bar in this mode too.
    SelectBar(iMaxLnW);
}

void FrmDisplay::CmdMostProbable_Click()
{
    SelectBar(OptActual->isChecked() ? iMaxFreq : iMaxLnW);
}

void FrmDisplay::cmdExit_Click()
{
    accept();
}

void FrmDisplay::Command1_Click()
{
    const std::filesystem::path &place = desktop_.exportPath;
    const ExportResult result = place.empty() ? ExportDistributions(sim_)
                                              : ExportDistributions(sim_, place);

    QMessageBox box(QMessageBox::NoIcon, tr("Kormix"), exportMessage(result), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // a path is never markup
    box.exec();

    // The file that was written, which may be in a fallback place; whether a
    // program opens it is the desktop's affair.
    if (result.ok && desktop_.openFile)
        desktop_.openFile(QString::fromStdString(result.path));
}

QString FrmDisplay::exportMessage(const ExportResult &result)
{
    using Outcome = ExportResult::Outcome;
    const QString path = QString::fromStdString(result.path);
    const QString error = QString::fromStdString(result.systemError);
    const QString directory = QString::fromStdString(result.directory);
    switch (result.outcome) {
    case Outcome::Written:
        return tr("File %1 was created").arg(path);
    case Outcome::FailedOpening:
        //: %1 is the system's description of the error, %2 the file's path.
        return tr("%1 opening %2").arg(error, path);
    case Outcome::FailedWriting:
        //: %1 is the system's description of the error, %2 the file's path.
        return tr("%1 writing %2").arg(error, path);
    case Outcome::FailedReplacing:
        //: %1 is the system's description of the error, %2 the file's path.
        return tr("%1 replacing %2").arg(error, path);
    case Outcome::ReplaceRefused:
        //: Windows refused to put the new file in the old one's place. %1 is the system's
        //: description of the error, %2 the file's path.
        return tr("%1 replacing %2: the file is open in another program (Excel, for example) or "
                  "read-only, and stays as it was")
                .arg(error, path);
    case Outcome::DirectoryIsLink:
        //: %1 is the file's path, %2 its directory.
        return tr("Can't write %1: %2 is a link, not a directory").arg(path, directory);
    case Outcome::NotADirectory:
        return tr("Can't write %1: %2 is not a directory").arg(path, directory);
    case Outcome::DirectoryOfOtherUser:
        return tr("Can't write %1: %2 belongs to another user").arg(path, directory);
    case Outcome::DirectoryOpenToOthers:
        return tr("Can't write %1: %2 is open to other users").arg(path, directory);
    }
    return QString::fromStdString(result.message);
}

void FrmDisplay::FraDistro_MouseDown(int, double X, double)
{
    PickNearestBar(X);
}

} // namespace kormix::ui
