// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/molecules/arrangementtiles.h"

#include "ui/common/widgets.h"
#include "ui/molecules/moleculedrawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace kormix::ui {

namespace {

// The tiles of a marked composition stand on this pale yellow.
const QColor kMarked(255, 236, 150);

QString formName(MoleculeForm form)
{
    switch (form) {
    case MoleculeForm::HH:
        return QStringLiteral("H2");
    case MoleculeForm::HD:
        return QStringLiteral("HD");
    case MoleculeForm::DH:
        return QStringLiteral("DH");
    case MoleculeForm::DD:
        break;
    }
    return QStringLiteral("D2");
}

// The molecules of an arrangement in a row, centred in `box`, discs of
// radius r, a gap of r between two molecules.
std::vector<QPointF> rowCentres(const QRectF &box, std::size_t n, double r)
{
    const double step = 5 * r;
    const double width = n * step - r;
    std::vector<QPointF> centres(n);
    for (std::size_t i = 0; i < n; ++i)
        centres[i] = QPointF(box.center().x() - width / 2 + i * step + 2 * r, box.center().y());
    return centres;
}

void paintArrangement(QPainter &painter, const QRectF &box, const Arrangement &forms, double r)
{
    std::vector<Atoms> atoms(forms.size());
    std::transform(forms.begin(), forms.end(), atoms.begin(), atomsOfForm);
    paintMolecules(painter, rowCentres(box, forms.size(), r), atoms, r);
}

} // namespace

QString formsText(const Arrangement &arrangement)
{
    QStringList names;
    for (MoleculeForm form : arrangement)
        names << formName(form);
    return names.join(QStringLiteral(", "));
}

// --- tiles ------------------------------------------------------------------------------

ArrangementTiles::ArrangementTiles(QWidget *parent)
    : QWidget(parent)
{
    useWhiteBackground(this);
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ArrangementTiles::showArrangements(std::vector<Arrangement> arrangements)
{
    arrangements_ = std::move(arrangements);
    selected_ = -1;
    updateGeometry();
    update();
}

void ArrangementTiles::setMarked(bool marked)
{
    if (marked == marked_)
        return;
    marked_ = marked;
    update();
}

void ArrangementTiles::select(int index)
{
    if (index == selected_)
        return;
    selected_ = index;
    update();
}

double ArrangementTiles::radius() const
{
    return std::max(3.0, fontMetrics().height() / 3.0);
}

QSize ArrangementTiles::tileSize() const
{
    const double r = radius();
    const std::size_t n = arrangements_.empty() ? 1 : arrangements_.front().size();
    return QSize(int(std::ceil(n * 5 * r + r)), int(std::ceil(4 * r)));
}

int ArrangementTiles::spacing() const
{
    return int(std::ceil(radius()));
}

int ArrangementTiles::columnsAt(int width) const
{
    const int step = tileSize().width() + spacing();
    return std::max(1, (width - spacing()) / step);
}

QRect ArrangementTiles::tileRect(int index) const
{
    const int columns = columnsAt(width());
    const QSize tile = tileSize();
    const int s = spacing();
    return QRect(s + (index % columns) * (tile.width() + s),
                 s + (index / columns) * (tile.height() + s),
                 tile.width(),
                 tile.height());
}

int ArrangementTiles::tileAt(const QPoint &point) const
{
    for (int i = 0; i < int(arrangements_.size()); ++i) {
        if (tileRect(i).contains(point))
            return i;
    }
    return -1;
}

int ArrangementTiles::heightForWidth(int width) const
{
    const int columns = columnsAt(width);
    const int rows = (int(arrangements_.size()) + columns - 1) / columns;
    return spacing() + rows * (tileSize().height() + spacing());
}

QSize ArrangementTiles::sizeHint() const
{
    // Four tiles to a row.
    const int w = spacing() + 4 * (tileSize().width() + spacing());
    return QSize(w, heightForWidth(w));
}

QSize ArrangementTiles::minimumSizeHint() const
{
    const int w = 2 * spacing() + tileSize().width();
    return QSize(w, tileSize().height() + 2 * spacing());
}

void ArrangementTiles::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const double r = radius();
    for (int i = 0; i < int(arrangements_.size()); ++i) {
        const QRect tile = tileRect(i);
        painter.setPen(QPen(QColor(160, 160, 160), 1));
        painter.setBrush(marked_ ? kMarked : QColor(Qt::white));
        painter.drawRect(tile.adjusted(0, 0, -1, -1));
        paintArrangement(painter, tile, arrangements_[std::size_t(i)], r);
    }
    if (selected_ >= 0 && selected_ < int(arrangements_.size())) {
        const QRect tile = tileRect(selected_);
        painter.setPen(QPen(ringColour(), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(tile.adjusted(-1, -1, 0, 0));
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = tile.adjusted(-3, -3, 2, 2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

void ArrangementTiles::choose(int index)
{
    if (arrangements_.empty())
        return;
    index = std::clamp(index, 0, int(arrangements_.size()) - 1);
    select(index);
    emit chosen(index);
}

void ArrangementTiles::mousePressEvent(QMouseEvent *event)
{
    const int index = tileAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    choose(index);
}

void ArrangementTiles::keyPressEvent(QKeyEvent *event)
{
    const int columns = columnsAt(width());
    const int at = std::max(selected_, 0);
    switch (event->key()) {
    case Qt::Key_Left:
        choose(at - 1);
        break;
    case Qt::Key_Right:
        choose(selected_ < 0 ? 0 : at + 1);
        break;
    case Qt::Key_Up:
        choose(at - columns);
        break;
    case Qt::Key_Down:
        choose(selected_ < 0 ? 0 : at + columns);
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(int(arrangements_.size()) - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

void ArrangementTiles::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // Coming in by the keyboard, the first tile is chosen.
    if (selected_ < 0 && event->reason() != Qt::MouseFocusReason)
        choose(0);
    update();
}

// --- one arrangement large ----------------------------------------------------------------

ArrangementView::ArrangementView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("picChosen");
    useWhiteBackground(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ArrangementView::showArrangement(const Arrangement &arrangement)
{
    if (arrangement == arrangement_)
        return;
    arrangement_ = arrangement;
    update();
}

QSize ArrangementView::sizeHint() const
{
    return QSize(6 * 5 * 12, minimumSizeHint().height());
}

QSize ArrangementView::minimumSizeHint() const
{
    // Discs as large as a line of text, and a line for the places' numbers.
    const int line = fontMetrics().height();
    return QSize(6 * 5 * line / 2, 4 * line);
}

void ArrangementView::paintEvent(QPaintEvent *)
{
    if (arrangement_.empty())
        return;
    QPainter painter(this);
    const int line = fontMetrics().height();
    const std::size_t n = arrangement_.size();
    const double r = std::min(line / 1.0, (width() - 8) / (5.0 * n));
    const QRectF molecules(0, line / 2.0, width(), 2 * r);
    paintArrangement(painter, molecules, arrangement_, r);
    // The places' numbers under them.
    painter.setPen(palette().color(QPalette::WindowText));
    const std::vector<QPointF> centres = rowCentres(molecules, n, r);
    for (std::size_t i = 0; i < n; ++i) {
        const QRectF box(centres[i].x() - 2 * r, molecules.bottom(), 4 * r, line);
        painter.drawText(box, Qt::AlignCenter, QString::number(i + 1));
    }
}

} // namespace kormix::ui
