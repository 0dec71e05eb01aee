// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/fitlabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace kormix::ui {

namespace {

// A font's size in the unit it was given in: pixels where it has a pixel size.
qreal sizeOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
}

QFont resized(QFont font, qreal size)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(int(size));
    else
        font.setPointSizeF(size);
    return font;
}

// Width a shrunk text needs in the font: the text and a blank after it.
qreal need(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(text) + metrics.horizontalAdvance(QLatin1Char(' '));
}

} // namespace

QFont TextFit::font(const QFont &own, const QString &text, qreal room)
{
    if (valid_ && room == room_ && text == text_)
        return font_;
    if (room != room_) {
        fontByWidth_.clear();
        room_ = room;
    }
    text_ = text;
    valid_ = true;

    if (!ownMetrics_)
        ownMetrics_.emplace(own);
    const qreal width = ownMetrics_->horizontalAdvance(text);
    if (width <= room) {
        font_ = own;
        return font_;
    }
    const qint64 key = std::llround(width * 64);
    if (const auto found = fontByWidth_.constFind(key); found != fontByWidth_.constEnd()) {
        font_ = *found;
        return font_;
    }
    // A pixel (or half a point) at a time down from the own size: the widths
    // of a face's sizes do not scale exactly.
    const qreal step = own.pixelSize() > 0 ? 1 : 0.5;
    qreal size = sizeOf(own);
    QFont font = own;
    do {
        size -= step;
        font = resized(own, size);
    } while (size > step && need(font, text) > room);
    fontByWidth_.insert(key, font);
    font_ = font;
    return font_;
}

void TextFit::forget()
{
    valid_ = false;
    ownMetrics_.reset();
    room_ = -1;
    fontByWidth_.clear();
}

FitLabel::FitLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // The windows' texts are numbers and words, never markup.
    setTextFormat(Qt::PlainText);
}

QFont FitLabel::shownFont() const
{
    return fit_.font(font(), text(), contentsRect().width() - 2 * margin());
}

void FitLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fit_.forget();
    QLabel::changeEvent(event);
}

void FitLabel::resizeEvent(QResizeEvent *event)
{
    fit_.forget();
    QLabel::resizeEvent(event);
}

void FitLabel::paintEvent(QPaintEvent *event)
{
    if (text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    // As the label draws plain text, only in the font that fits.
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shownFont());
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter,
                          box,
                          int(QStyle::visualAlignment(layoutDirection(), alignment())),
                          palette(),
                          isEnabled(),
                          text(),
                          foregroundRole());
}

QFont shownFont(const QWidget *widget)
{
    if (const auto *fitted = dynamic_cast<const FittedText *>(widget))
        return fitted->shownFont();
    return widget->font();
}

} // namespace kormix::ui
