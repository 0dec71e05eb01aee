// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/steptext.h"

#include "core/numberformat.h"

#include <charconv>

namespace kormix::ui {

namespace {

// The shortest fixed-point text that reads back as this float.
QString coinText(float coin, char decimalPoint)
{
    char buffer[64];
    const auto result = std::to_chars(buffer,
                                      buffer + sizeof buffer,
                                      coin,
                                      std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(QLatin1Char('.'), QLatin1Char(decimalPoint));
    return text;
}

QString number(std::int64_t value)
{
    return QString::fromStdString(integerToText(value));
}

} // namespace

QString StepText::describe(const StepEntry &entry, char decimalPoint)
{
    QString outcome;
    switch (entry.outcome) {
    case StepOutcome::FormedTwoHd:
        outcome = tr("they reacted to 2 HD");
        break;
    case StepOutcome::FormedH2D2:
        outcome = tr("they reacted to H2 + D2");
        break;
    case StepOutcome::Unchanged:
        outcome = tr("nothing changed");
        break;
    }
    if (entry.coinTossed) {
        const QString coin = coinText(entry.coin, decimalPoint);
        const QString half = QStringLiteral("0") + QLatin1Char(decimalPoint) + QStringLiteral("5");
        //: An HD + HD pair reacts when its coin is above one half. %1 is the
        //: coin, %2 one half, %3 what came of it.
        outcome = entry.outcome == StepOutcome::FormedH2D2
                          ? tr("coin %1 above %2, %3").arg(coin, half, outcome)
                          : tr("coin %1 not above %2, %3").arg(coin, half, outcome);
    }
    if (entry.acceptanceDrawn) {
        const QString draw = coinText(entry.acceptance, decimalPoint);
        const QString below = coinText(entry.acceptBelow, decimalPoint);
        //: At a temperature an H2 + D2 pair reacts when its draw is below K / 4.
        //: %1 is the draw, %2 K / 4, %3 what came of it.
        outcome = entry.outcome == StepOutcome::FormedTwoHd
                          ? tr("draw %1 below %2, %3").arg(draw, below, outcome)
                          : tr("draw %1 not below %2, %3").arg(draw, below, outcome);
    }
    const QString first = tr("molecule %1 (%2)").arg(number(entry.first), kindName(entry.firstKind));
    const QString second = tr("molecule %1 (%2)")
                                   .arg(number(entry.second), kindName(entry.secondKind));
    //: %1 and %2 are the molecules, %3 what came of it, %4 and %5 W before and
    //: after.
    return tr("%1 met %2: %3; W %4 -> %5")
            .arg(first,
                 second,
                 outcome,
                 QString::fromStdString(FormatW(entry.lnWBefore, decimalPoint)),
                 QString::fromStdString(FormatW(entry.lnWAfter, decimalPoint)));
}

QString StepText::kindName(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("H2");
    case 1:
        return QStringLiteral("HD");
    default:
        return QStringLiteral("D2");
    }
}

QStringList StepText::lines(const StepLog &log, char decimalPoint)
{
    QStringList out;
    for (const StepEntry &entry : log.entries())
        out << number(entry.collision) + QStringLiteral(". ") + describe(entry, decimalPoint);
    return out;
}

} // namespace kormix::ui
