// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kormix::ui {

QFont sansFont(double points, bool bold)
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

void useWindowColours(QWidget *window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Text));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void useWhiteBackground(QWidget *area)
{
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        pal.setColor(QPalette::Active, role, Qt::black);
        pal.setColor(QPalette::Inactive, role, Qt::black);
        pal.setColor(QPalette::Disabled, role, Qt::darkGray);
    }
    area->setPalette(pal);
    area->setAutoFillBackground(true);
}

bool isDark(const QPalette &pal)
{
    return pal.color(QPalette::Window).lightnessF() < pal.color(QPalette::WindowText).lightnessF();
}

namespace {

QColor halfway(const QPalette &pal)
{
    const QColor back = pal.color(QPalette::Window);
    const QColor text = pal.color(QPalette::WindowText);
    return QColor((back.red() + text.red()) / 2,
                  (back.green() + text.green()) / 2,
                  (back.blue() + text.blue()) / 2);
}

} // namespace

QColor lineColour(const QPalette &palette)
{
    return isDark(palette) ? halfway(palette) : palette.color(QPalette::Mid);
}

void keepIndicatorsVisible(QWidget *area)
{
    const auto keep = [](QAbstractButton *button) {
        QPalette pal = button->palette();
        if (!isDark(pal))
            return; // dark text on a light background: the style's outline shows
        pal.setColor(QPalette::Window, halfway(pal));
        button->setPalette(pal);
    };
    for (QCheckBox *box : area->findChildren<QCheckBox *>())
        keep(box);
    for (QRadioButton *option : area->findChildren<QRadioButton *>())
        keep(option);
}

void keepLineHigh(QLabel *label)
{
    label->resize(label->width(), std::max(label->height(), label->fontMetrics().height()));
}

namespace {

FitLabel *madeLabel(QWidget *parent,
                    const char *name,
                    const QString &text,
                    const QRectF &twips,
                    const QFont *font)
{
    auto *label = new FitLabel(text, parent);
    label->setObjectName(name);
    if (font)
        label->setFont(*font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, twips);
    keepLineHigh(label);
    return label;
}

} // namespace

FitLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRectF &twips)
{
    return madeLabel(parent, name, text, twips, nullptr);
}

FitLabel *makeLabel(QWidget *parent,
                    const char *name,
                    const QString &text,
                    const QRectF &twips,
                    const QFont &font)
{
    return madeLabel(parent, name, text, twips, &font);
}

void writeText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

namespace {

void placeMenuItems(const QList<QAction *> &actions, QAction *exit, QAction *about)
{
    for (QAction *action : actions) {
        if (QMenu *menu = action->menu())
            placeMenuItems(menu->actions(), exit, about);
        action->setMenuRole(action == exit    ? QAction::QuitRole
                            : action == about ? QAction::AboutRole
                                              : QAction::NoRole);
    }
}

} // namespace

void placeMenuItems(QMenuBar *bar, QAction *exit, QAction *about)
{
    placeMenuItems(bar->actions(), exit, about);
}

namespace {

QMenu *named(QMenu *menu, const char *name)
{
    menu->setObjectName(name);
    menu->setFont(QApplication::font("QMenu"));
    return menu;
}

} // namespace

QMenu *addNamedMenu(QMenuBar *bar, const QString &title, const char *name)
{
    return named(bar->addMenu(title), name);
}

QMenu *addNamedMenu(QMenu *parent, const QString &title, const char *name)
{
    return named(parent->addMenu(title), name);
}

QAction *addNamedAction(QMenu *menu, const QString &text, const char *name)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

} // namespace kormix::ui
