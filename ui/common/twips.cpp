// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "twips.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace kormix::ui {

int Px(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect TwipsRect(double left, double top, double width, double height)
{
    const int l = Px(left);
    const int t = Px(top);
    return QRect(l, t, Px(left + width) - l, Px(top + height) - t);
}

QPointF ToTwips(QPointF pixels)
{
    return pixels * kTwipsPerPixel;
}

void Place(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(TwipsRect(left, top, width, height));
}

void SetClientSize(QWidget *window, double width, double height)
{
    window->setFixedSize(Px(width), Px(height));
}

QFont SansFont(double points, bool bold)
{
    // The layouts were drawn for MS Sans Serif, whose letters are about as
    // wide as Arial's. Common desktop faces such as DejaVu Sans run wider and
    // cut off the longer captions, so a face with Arial's widths comes first
    // where one is installed; otherwise the system's sans-serif face stands in.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies(
            {"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica", font.family()});
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

void UseWindowColours(QWidget *window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Text));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

} // namespace kormix::ui
