// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/equilibrium/valuetext.h"

#include "core/numberformat.h"

#include <QLabel>

#include <cmath>

namespace kormix::ui {

QLabel *newCaption(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLabel *newValue(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(ValueText::none(), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString ValueText::none()
{
    //: Stands where there is no value yet.
    return tr("–");
}

QString ValueText::fixed(double value, int decimals, char decimalPoint)
{
    if (!std::isfinite(value))
        return none();
    return QString::fromStdString(fixedText(value, decimals, decimalPoint));
}

QString ValueText::fixed(std::optional<double> value, int decimals, char decimalPoint)
{
    return value ? fixed(*value, decimals, decimalPoint) : none();
}

QString ValueText::probability(double p, char decimalPoint)
{
    if (p >= 1e-4)
        return fixed(p, 5, decimalPoint);
    return QString::fromStdString(formatNumber(p, "scientific", decimalPoint));
}

QString ValueText::spread(double sd, char decimalPoint)
{
    if (sd == 0 || sd >= 1e-3)
        return fixed(sd, 4, decimalPoint);
    return QString::fromStdString(formatNumber(sd, "scientific", decimalPoint));
}

QString ValueText::constant(double K, char decimalPoint)
{
    if (K == kStatisticsOnlyK)
        return QString::fromStdString(numberToText(K, decimalPoint));
    return fixed(K, 3, decimalPoint);
}

QString ValueText::model(const EquilibriumModel &model, char decimalPoint)
{
    const QString K = constant(model.K(), decimalPoint);
    if (model.statisticsOnly())
        return tr("statistics only, K = %1").arg(K);
    return tr("hydrogen at %1 K, K = %2")
            .arg(QString::fromStdString(numberToText(model.kelvin(), decimalPoint)), K);
}

} // namespace kormix::ui
