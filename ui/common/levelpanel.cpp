// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/levelpanel.h"

#include "ui/common/translation.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include "core/numberformat.h"
#include "core/quotienttext.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace kormix::ui {

namespace {

int buttonBits(Qt::MouseButtons buttons)
{
    // Qt's button bits are those the frame reports: 1 left, 2 right, 4 middle.
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

// Exactly the same place, size and look (QRectF's own comparison is fuzzy).
bool same(const PaintedShape &a, const PaintedShape &b)
{
    const QRectF &g = a.geometry;
    const QRectF &h = b.geometry;
    return g.x() == h.x() && g.y() == h.y() && g.width() == h.width() && g.height() == h.height()
           && a.fill == b.fill && a.visible == b.visible;
}

QString count(std::int32_t n)
{
    return QString::fromStdString(integerToText(n));
}

} // namespace

LevelPanel::LevelPanel(const LevelPanelLayout &layout, QWidget *parent)
    : QFrame(parent)
    , layout_(layout)
{
    setObjectName("FraLevels");
    setAccessibleName(tr("level columns"));
    setFrameShape(QFrame::Box);
    useWhiteBackground(this);
    place(this, layout.frame);
    setMouseTracking(true); // every move over the frame counts, pressed or not

    // The kinds in the order of the counts: 0 H2, 1 HD, 2 D2.
    const QString kinds[3] = {tr("H2"), tr("HD"), tr("D2")};
    const QFont font = sansFont(layout.labelPoints);
    for (int k = 0; k < 3; ++k) {
        const QByteArray name = "nMolec_" + QByteArray::number(k);
        nMolec[k] = makeLabel(this, name.constData(), kinds[k], layout.nMolec[k], font);
    }
    if (!layout.label2.isEmpty())
        Label2 = makeLabel(this, "Label2", tr("Q ="), layout.label2, font);
    if (!layout.qa.isEmpty())
        Qa = makeLabel(this, "Qa", " ", layout.qa, font);
    // Left to right as they stand under the columns: H2, D2, HD.
    for (int k : {0, 2, 1}) {
        const NamedBox &box = layout.columnNames[std::size_t(k)];
        if (box.name && !box.geometry.isEmpty())
            columnNames[k] = makeLabel(this, box.name, kinds[k], box.geometry, font);
    }

    static const QColor kFill[4] = {Qt::red, Qt::black, Qt::black, Qt::red};
    for (int i = 0; i < 4; ++i)
        columns_[i] = {layout.lin[i], kFill[i], false};
}

void LevelPanel::showDistribution(const std::array<std::int32_t, 4> &counts,
                                  double total,
                                  char decimalPoint)
{
    showDistribution(counts, total, decimalPoint, total != 0 ? levelHeight() / total : 0.0);
}

void LevelPanel::showDistribution(const std::array<std::int32_t, 4> &counts,
                                  double total,
                                  char decimalPoint,
                                  double scale)
{
    // Every column grows upwards from the common base line; the two halves
    // of HD are equally high. The picture changes all at once: it is painted
    // only after this returns, and not at all when it stays as it was.
    const double base = levelTop() + levelHeight();
    std::array<PaintedShape, 4> shown = columns_;
    for (int j = 0; j < 3; ++j) {
        const double height = counts[j] * scale;
        QRectF &g = shown[j].geometry;
        g = QRectF(g.left(), base - height, g.width(), height);
    }
    QRectF &left = shown[3].geometry;
    left = QRectF(left.left(), shown[1].geometry.top(), left.width(), shown[1].geometry.height());
    for (PaintedShape &c : shown)
        c.visible = true;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!same(shown[i], columns_[i])) {
            columns_ = shown;
            update();
            break;
        }
    }

    const double percent = total != 0 ? counts[1] / total * 100 : 0.0;
    const QString h2 = count(counts[0]);
    const QString hd = count(counts[1]);
    const QString d2 = count(counts[2]);
    const QString q = coreText(quotientText(counts[0], counts[1], counts[2], decimalPoint));
    writeText(nMolec[0], tr("%1 H2").arg(h2));
    //: The count of HD molecules and their share of all molecules.
    writeText(nMolec[1],
              tr("%1 HD (%2%)")
                      .arg(hd, QString::fromStdString(formatNumber(percent, "0.00", decimalPoint))));
    writeText(nMolec[2], tr("%1 D2").arg(d2));
    if (Qa)
        writeText(Qa, q);

    // What the picture says, for those who do not see it.
    const QString description = tr("%1 H2, %2 HD, %3 D2, Q = %4").arg(h2, hd, d2, q);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void LevelPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    // A column may reach far beyond the frame (after zooming in, say): only
    // the part inside is drawn, worked out before any rounding to pixels.
    const QRectF frame(0, 0, width() * kTwipsPerPixel, height() * kTwipsPerPixel);
    for (const PaintedShape &c : columns_) {
        const QRectF g = c.geometry.intersected(frame);
        if (!c.visible || g.height() <= 0 || g.width() <= 0)
            continue;
        painter.fillRect(twipsRect(g.left(), g.top(), g.width(), g.height()), c.fill);
    }
}

void LevelPanel::mousePressEvent(QMouseEvent *event)
{
    const QPointF t = toTwips(event->position());
    emit mouseDown(buttonBits(event->button()), t.x(), t.y());
}

void LevelPanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF t = toTwips(event->position());
    emit mouseMove(buttonBits(event->buttons()), t.x(), t.y());
}

void LevelPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF t = toTwips(event->position());
    emit mouseUp(buttonBits(event->button()), t.x(), t.y());
}

} // namespace kormix::ui
