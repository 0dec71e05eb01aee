// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// How the equilibrium window writes its numbers: fixed decimals with the
// program's decimal separator, the scientific form where a value is far
// below them, and "–" where there is no value; and the labels its tables
// are made of.
#pragma once

#include "core/equilibrium/model.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class QLabel;
class QWidget;

namespace kormix::ui {

// A caption that wraps rather than being cut.
QLabel *newCaption(const QString &text, const QString &name, QWidget *parent);
// A value, "–" at first: right-aligned, selectable, never broken.
QLabel *newValue(const QString &name, QWidget *parent);

class ValueText
{
    Q_DECLARE_TR_FUNCTIONS(kormix::ui::ValueText)

public:
    // "–": no value yet.
    static QString none();
    // The value with this many decimals; "–" for one that is not finite.
    static QString fixed(double value, int decimals, char decimalPoint);
    // As fixed, "–" for none.
    static QString fixed(std::optional<double> value, int decimals, char decimalPoint);
    // A probability: five decimals, or the scientific form below 1e-4.
    static QString probability(double p, char decimalPoint);
    // A standard deviation: four decimals, or the scientific form where a
    // large system's spread is far below the fourth.
    static QString spread(double sd, char decimalPoint);
    // An equilibrium constant: 4 of counting alone as it is, any other with
    // three decimals.
    static QString constant(double K, char decimalPoint);
    // The model the collisions go to: "statistics only, K = 4" or
    // "hydrogen at 298 K, K = 3.259".
    static QString model(const EquilibriumModel &model, char decimalPoint);
};

} // namespace kormix::ui
