// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/levelpanel.h"

#include "ui/common/fitlabel.h"
#include "ui/common/twips.h"

#include "core/numberformat.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace kormix::ui {

namespace {

QLabel *MakeLabel(QWidget *parent, const QRectF &r, const QString &text, const QFont &font)
{
    auto *label = new FitLabel(text, parent);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(label, r.left(), r.top(), r.width(), r.height());
    return label;
}

int Buttons(Qt::MouseButtons buttons)
{
    // Qt's button bits are those the frame reports: 1 left, 2 right, 4 middle.
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

} // namespace

LevelPanel::LevelPanel(const LevelPanelLayout &layout, QWidget *parent)
    : QFrame(parent)
    , layout_(layout)
{
    setObjectName("FraLevels");
    setFrameShape(QFrame::Box);
    UseWhiteBackground(this);
    Place(this, layout.frame.left(), layout.frame.top(), layout.frame.width(), layout.frame.height());
    setMouseTracking(true); // every move over the frame counts, pressed or not

    const QFont font = SansFont(layout.labelPoints);
    static const char *const kDesign[3] = {"H2", "HD", "D2"};
    for (int k = 0; k < 3; ++k) {
        nMolec[k] = MakeLabel(this, layout.nMolec[k], kDesign[k], font);
        nMolec[k]->setObjectName(QString("nMolec_%1").arg(k));
    }
    if (!layout.label2.isEmpty()) {
        Label2 = MakeLabel(this, layout.label2, "Q =", font);
        Label2->setObjectName("Label2");
    }
    if (!layout.qa.isEmpty()) {
        Qa = MakeLabel(this, layout.qa, " ", font);
        Qa->setObjectName("Qa");
    }

    static const QColor kFill[4] = {Qt::red, Qt::black, Qt::black, Qt::red};
    for (int i = 0; i < 4; ++i)
        columns_[i] = {layout.lin[i], kFill[i], false};
}

void LevelPanel::SetColumn(int i, double top, double height)
{
    QRectF &g = columns_[std::size_t(i)].geometry;
    g.setTop(top);
    g.setHeight(height);
    update();
}

void LevelPanel::SetColumnsVisible(bool visible)
{
    for (LevelColumn &c : columns_)
        c.visible = visible;
    update();
}

void LevelPanel::ShowCounts(const std::array<std::int32_t, 4> &counts,
                            double scale,
                            double base,
                            double total,
                            char decimalPoint)
{
    SetColumnsVisible(false);
    for (int j = 0; j < 3; ++j) {
        const double height = counts[j] * scale;
        SetColumn(j, base - height, height);
    }
    SetColumn(3, lin(1).geometry.top(), lin(1).geometry.height());

    const double percent = total != 0 ? counts[1] / total * 100 : 0.0;
    nMolec[0]->setText(QString::fromStdString(IntegerToText(counts[0]) + " H2"));
    nMolec[1]->setText(QString::fromStdString(IntegerToText(counts[1]) + " HD ("
                                              + FormatNumber(percent, "0.00", decimalPoint) + "%)"));
    nMolec[2]->setText(QString::fromStdString(IntegerToText(counts[2]) + " D2"));
    SetColumnsVisible(true);
}

void LevelPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    // A column may reach far beyond the frame (after zooming in, say): only
    // the part inside is drawn, worked out before any rounding to pixels.
    const QRectF frame(0, 0, width() * kTwipsPerPixel, height() * kTwipsPerPixel);
    for (const LevelColumn &c : columns_) {
        const QRectF g = c.geometry.intersected(frame);
        if (!c.visible || g.height() <= 0 || g.width() <= 0)
            continue;
        painter.fillRect(TwipsRect(g.left(), g.top(), g.width(), g.height()), c.fill);
    }
}

void LevelPanel::mousePressEvent(QMouseEvent *event)
{
    const QPointF t = ToTwips(event->position());
    emit MouseDown(Buttons(event->button()), t.x(), t.y());
}

void LevelPanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF t = ToTwips(event->position());
    emit MouseMove(Buttons(event->buttons()), t.x(), t.y());
}

void LevelPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF t = ToTwips(event->position());
    emit MouseUp(Buttons(event->button()), t.x(), t.y());
}

} // namespace kormix::ui
