// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/revise/frmrevise.h"

#include "ui/common/levelpanel.h"
#include "ui/common/translation.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include "core/leveldrag.h"
#include "core/quotienttext.h"

#include <QButtonGroup>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

namespace kormix::ui {

namespace {

LevelPanelLayout revisePanelLayout()
{
    LevelPanelLayout l;
    l.frame = QRectF(0, 360, 2055, 4695);
    l.nMolec[0] = QRectF(240, 240, 1575, 255);
    l.nMolec[1] = QRectF(240, 720, 1815, 255);
    l.nMolec[2] = QRectF(240, 480, 1575, 255);
    l.lin[0] = QRectF(240, 1200, 225, 2655);
    l.lin[1] = QRectF(1560, 1200, 105, 2655);
    l.lin[2] = QRectF(600, 1200, 225, 2655);
    l.lin[3] = QRectF(1440, 1200, 105, 2655);
    l.columnNames[0] = {"Label3", QRectF(240, 3960, 255, 255)};  // H2
    l.columnNames[1] = {"Label5", QRectF(1440, 3960, 255, 255)}; // HD
    l.columnNames[2] = {"Label4", QRectF(600, 3960, 255, 255)};  // D2
    l.labelPoints = 8.25;
    return l;
}

// The zoom pictures: a triangle outline, pointing up or down, on a raised grey
// face.
QPixmap zoomIcon(bool up)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(192, 192, 192));
    QPainter p(&pixmap);
    p.setPen(Qt::white);
    p.drawLine(0, 0, 30, 0);
    p.drawLine(0, 0, 0, 30);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(1, 30, 30, 30);
    p.drawLine(30, 1, 30, 30);
    p.setPen(Qt::black);
    p.drawLine(0, 31, 31, 31);
    p.drawLine(31, 0, 31, 31);

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    const QPointF upTriangle[3] = {{15.5, 7}, {24.5, 23}, {6.5, 23}};
    const QPointF downTriangle[3] = {{6.5, 8}, {24.5, 8}, {15.5, 24}};
    p.drawPolygon(up ? upTriangle : downTriangle, 3);
    return pixmap;
}

// The colour of the keyboard's focus marks: it stands out from the level
// picture's white, the zoom pictures' grey and the red and black columns,
// whatever the desktop's palette.
const QColor kFocusMark(0, 90, 210);

// The columns from left to right as they stand on the screen, by kind: H2, D2, HD.
constexpr int kScreenOrder[3] = {0, 2, 1};

int screenPlace(int kind)
{
    for (int i = 0; i < 3; ++i) {
        if (kScreenOrder[i] == kind)
            return i;
    }
    return 0;
}

QLabel *makePicture(QWidget *parent, const char *name, bool up, const QRectF &r)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(zoomIcon(up));
    picture->setAlignment(Qt::AlignCenter);
    place(picture, r);
    return picture;
}

} // namespace

FrmRevise::FrmRevise(const std::array<std::int32_t, 3> &counts,
                     std::int32_t molecules,
                     char decimalPoint,
                     QString &side,
                     QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , nKind(counts)
    , reviseSide(side)
    , nMolecules_(molecules)
    , decimalPoint_(decimalPoint)
{
    setObjectName("FrmRevise");
    setWindowTitle(tr("Revise Data"));
    setModal(true);
    setClientSize(this, 3960, 4695);
    setFont(sansFont(8.25));
    useWindowColours(this);

    buildControls();
    makeKeyboardReachable();
    // The option shown is the mode in force: the mode chosen at an earlier
    // opening is kept.
    optOne[reviseSide == "R" ? 1 : 0]->setChecked(true);
    keepIndicatorsVisible(this);
    Command1->setFocus();
    connectControls();

    Form_Load();
}

void FrmRevise::buildControls()
{
    // The frame reaches below the window's lower edge, which cuts off its
    // lower border; everything it shows lies above that edge.
    FraLevels = new LevelPanel(revisePanelLayout(), this);
    nMolec = FraLevels->nMolec;
    Label3 = FraLevels->columnNames[0];
    Label4 = FraLevels->columnNames[2];
    Label5 = FraLevels->columnNames[1];

    auto *group = new QButtonGroup(this);
    const QString optionText[2] = {tr("Adjust All"), tr("Adjust One")};
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = "optOne_" + QByteArray::number(i);
        optOne[i] = makeButton<QRadioButton>(this,
                                             name.constData(),
                                             optionText[i],
                                             QRectF(2295, 135 + 315 * i, 1365, 285));
        group->addButton(optOne[i], i);
    }
    Label2 = makeLabel(this, "Label2", tr("Q ="), QRectF(2400, 1440, 495, 255));
    Qa = makeLabel(this, "Qa", " ", QRectF(2760, 1440, 1095, 255));
    Command1 = makeButton<QPushButton>(this,
                                       "Command1",
                                       tr("Equilibrate"),
                                       QRectF(2400, 2160, 1215, 495));
    //: Caption of the zoom pictures, which double or halve the columns' height.
    Label1 = makeLabel(this, "Label1", tr("scale"), QRectF(2400, 3720, 735, 255), sansFont(12));
    Picture1 = makePicture(this, "Picture1", true, QRectF(3240, 3360, 495, 495));
    Picture2 = makePicture(this, "Picture2", false, QRectF(3240, 3840, 495, 495));
}

void FrmRevise::makeKeyboardReachable()
{
    // Everything the mouse does here can be done from the keyboard: the level
    // picture and the zoom pictures take the focus.
    Picture1->installEventFilter(this);
    Picture2->installEventFilter(this);
    FraLevels->setFocusPolicy(Qt::StrongFocus);
    if (FraLevels->accessibleName().isEmpty())
        FraLevels->setAccessibleName(tr("levels"));
    FraLevels->installEventFilter(this);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(tr("zoom in"));
    Picture1->setAccessibleDescription(tr("Space doubles the height of the columns"));
    Picture2->setFocusPolicy(Qt::StrongFocus);
    Picture2->setAccessibleName(tr("zoom out"));
    Picture2->setAccessibleDescription(tr("Space halves the height of the columns"));
}

void FrmRevise::connectControls()
{
    connect(optOne[0], &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optOne_Click(0);
    });
    connect(optOne[1], &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optOne_Click(1);
    });
    connect(Command1, &QPushButton::clicked, this, &FrmRevise::Command1_Click);
    connect(FraLevels, &LevelPanel::mouseDown, this, &FrmRevise::FraLevels_MouseDown);
    connect(FraLevels, &LevelPanel::mouseMove, this, &FrmRevise::FraLevels_MouseMove);
    connect(FraLevels, &LevelPanel::mouseUp, this, &FrmRevise::FraLevels_MouseUp);
}

FrmRevise::~FrmRevise() = default;

void FrmRevise::Form_Load()
{
    revLevelTop = FraLevels->levelTop();
    revLevelHeight = FraLevels->levelHeight();
    revScale = nMolecules_ != 0 ? revLevelHeight / nMolecules_ : 100;
    DrawLevels();
}

void FrmRevise::DrawLevels()
{
    writeText(Qa, coreText(quotientText(nKind[0], nKind[1], nKind[2], decimalPoint_)));
    // The HD share is of the revised total, not of the system's molecules.
    const double total = double(nKind[0]) + double(nKind[1]) + double(nKind[2]);
    FraLevels->showDistribution({nKind[0], nKind[1], nKind[2], 0}, total, decimalPoint_, revScale);
}

int FrmRevise::NearestLevel(double x) const
{
    std::array<double, 3> centres{};
    for (int i = 0; i < 3; ++i) {
        const QRectF &g = FraLevels->lin(i).geometry;
        centres[std::size_t(i)] = g.left() + g.width() / 2;
    }
    return nearestLevel(centres, x);
}

void FrmRevise::ApplyDrag(double y)
{
    const int k = revDragLevel;
    // Adjust All only for a drag begun with the left button while "Adjust
    // One" is not chosen; any other button adjusts the one column.
    const AdjustMode mode = revButton == 1 && reviseSide != "R" ? AdjustMode::All : AdjustMode::One;
    const std::int64_t change = changeFromPointer(baseLine(), revScale, nKind[std::size_t(k)], y);
    setCounts(dragLevel(nKind, k, mode, change));
}

void FrmRevise::chooseLevel(int kind)
{
    if (kind < 0 || kind > 2)
        return;
    keyLevel = kind;
    FraLevels->setFocus(Qt::OtherFocusReason);
    FraLevels->update();
}

void FrmRevise::stepLevel(int direction)
{
    chooseLevel(keyLevel);
    // A key adjusts as a drag with the left button does: the mode chosen
    // decides.
    const AdjustMode mode = reviseSide == "R" ? AdjustMode::One : AdjustMode::All;
    const std::int64_t change = keyLevel == 1 ? 2 * direction : direction;
    setCounts(dragLevel(nKind, keyLevel, mode, change));
}

void FrmRevise::setCounts(const std::array<std::int32_t, 3> &counts)
{
    nKind = counts;
    DrawLevels();
}

void FrmRevise::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers held = event->modifiers()
                                       & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // The arrows belong to the level picture; elsewhere they move the focus
    // or the option, as usual.
    const bool onLevels = FraLevels->hasFocus();
    if (held == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
            chooseLevel(kScreenOrder[event->key() - Qt::Key_1]);
            return;
        case Qt::Key_Plus:
            stepLevel(1);
            return;
        case Qt::Key_Minus:
            stepLevel(-1);
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (onLevels) {
                const int place = screenPlace(keyLevel) + (event->key() == Qt::Key_Left ? -1 : 1);
                chooseLevel(kScreenOrder[std::clamp(place, 0, 2)]);
                return;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (onLevels) {
                stepLevel(event->key() == Qt::Key_Up ? 1 : -1);
                return;
            }
            break;
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}

bool FrmRevise::pictureKey(QObject *picture, QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (picture == Picture1)
        Picture1_Click();
    else
        Picture2_Click();
    return true;
}

void FrmRevise::paintFocusMark(QWidget *widget, QEvent *paint)
{
    // The widget paints itself first; the mark goes over it.
    static_cast<QObject *>(widget)->event(paint);
    if (!widget->hasFocus())
        return;
    QPainter p(widget);
    p.setPen(QPen(kFocusMark, 2));
    p.setBrush(Qt::NoBrush);
    if (widget != FraLevels) {
        p.drawRect(QRectF(widget->rect()).adjusted(3, 3, -3, -3));
        return;
    }
    // Around the chosen column's place, from a little above the columns'
    // design top down to below its name.
    QRectF column = FraLevels->lin(keyLevel).geometry;
    if (keyLevel == 1)
        column = column.united(FraLevels->lin(3).geometry);
    const QLabel *name = keyLevel == 0 ? Label3 : keyLevel == 2 ? Label4 : Label5;
    const double bottom = (name->y() + name->height()) * kTwipsPerPixel + 30;
    const double top = revLevelTop - 90;
    // H2 and D2 stand only 135 twips apart: the mark stays within half of that.
    const QRect mark = twipsRect(column.left() - 45, top, column.width() + 90, bottom - top);
    p.drawRect(QRectF(mark).adjusted(1, 1, -1, -1));
}

void FrmRevise::optOne_Click(int index)
{
    if (index == 0)
        reviseSide = "L";
    else if (index == 1)
        reviseSide = "R";
}

void FrmRevise::Picture1_Click()
{
    // Doubling stays exact as long as it stays finite, so a zoom in can
    // always be undone; a step beyond that is not taken.
    if (std::isfinite(revScale * 2))
        revScale *= 2;
    DrawLevels();
}

void FrmRevise::Picture2_Click()
{
    // Halving stays exact while the result is a normal number.
    if (revScale / 2 >= DBL_MIN)
        revScale /= 2;
    DrawLevels();
}

void FrmRevise::Command1_Click()
{
    // The owner takes the revised counts from nKind.
    accept();
}

void FrmRevise::reject()
{
    // The revision is dropped, and the window can be opened again.
    QDialog::reject();
}

void FrmRevise::Form_LostFocus()
{
    revDragging = false;
}

void FrmRevise::FraLevels_MouseDown(int button, double x, double /*y*/)
{
    revDragLevel = NearestLevel(x);
    revDragging = true;
    revButton = std::int16_t(button);
}

void FrmRevise::FraLevels_MouseMove(int /*button*/, double /*x*/, double y)
{
    Command1->setFocus();
    if (busy_)
        return;
    busy_ = true;
    if (revDragging)
        ApplyDrag(y);
    busy_ = false;
}

void FrmRevise::FraLevels_MouseUp(int /*button*/, double /*x*/, double y)
{
    if (revDragging) {
        ApplyDrag(y);
        revDragging = false;
    }
}

void FrmRevise::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        Form_LostFocus();
    QDialog::changeEvent(event);
}

bool FrmRevise::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FraLevels || watched == Picture1 || watched == Picture2) {
        switch (event->type()) {
        case QEvent::Paint:
            paintFocusMark(static_cast<QWidget *>(watched), event);
            return true;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            static_cast<QWidget *>(watched)->update();
            break;
        case QEvent::KeyPress:
            if (watched != FraLevels && pictureKey(watched, static_cast<QKeyEvent *>(event)))
                return true;
            break;
        default:
            break;
        }
    }
    if ((watched == Picture1 || watched == Picture2)
        && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *picture = static_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton
            && picture->rect().contains(mouse->position().toPoint())) {
            if (watched == Picture1)
                Picture1_Click();
            else
                Picture2_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kormix::ui
