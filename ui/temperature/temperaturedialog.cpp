// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/temperature/temperaturedialog.h"

#include "core/hydrogen/equilibriumconstant.h"
#include "core/numberformat.h"
#include "core/wholenumber.h"
#include "ui/common/widgets.h"
#include "ui/equilibrium/valuetext.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace kormix::ui {

namespace {

// The temperature the field suggests while none is chosen: a room's.
constexpr double kRoomKelvin = 298.15;

// The ends of the temperatures offered, as whole numbers.
QString kelvinText(double kelvin)
{
    return QString::fromStdString(integerToText(std::llround(kelvin)));
}

} // namespace

TemperatureDialog::TemperatureDialog(const EquilibriumModel &current,
                                     char decimalPoint,
                                     QWidget *parent)
    : QDialog(parent)
    , decimalPoint_(decimalPoint)
{
    setObjectName("dlgTemperature");
    setWindowTitle(tr("Temperature"));
    buildControls();
    const double kelvin = current.statisticsOnly() ? kRoomKelvin : current.kelvin();
    txtKelvin->setText(QString::fromStdString(numberToText(kelvin, decimalPoint)));
    (current.statisticsOnly() ? optStatistics : optHydrogen)->setChecked(true);
    (current.statisticsOnly() ? static_cast<QWidget *>(optStatistics) : txtKelvin)->setFocus();
    txtKelvin->selectAll();
    showChoice();
    // Under a dark palette the option buttons keep an outline that shows.
    keepIndicatorsVisible(this);
}

void TemperatureDialog::buildControls()
{
    lblExplain = new QLabel(tr("When an H2 and a D2 meet, they react K / 4 of the time; two HD "
                               "react half of the time. Counting alone gives K = 4. In real "
                               "hydrogen the zero-point energies of H2, HD and D2 differ, which "
                               "lowers K, the more the colder."),
                            this);
    lblExplain->setObjectName("lblExplain");
    lblExplain->setWordWrap(true);
    optStatistics = new QRadioButton(tr("&statistics only (K = 4)"), this);
    optStatistics->setObjectName("optStatistics");
    optHydrogen = new QRadioButton(tr("&hydrogen at"), this);
    optHydrogen->setObjectName("optHydrogen");
    txtKelvin = new QLineEdit(this);
    txtKelvin->setObjectName("txtKelvin");
    txtKelvin->setAccessibleName(tr("temperature in kelvin"));
    txtKelvin->setMaximumWidth(txtKelvin->fontMetrics().horizontalAdvance("0000000000") + 12);
    lblKelvin = new QLabel(tr("kelvin (%1 to %2)")
                                   .arg(kelvinText(kMinKelvin), kelvinText(kMaxKelvin)),
                           this);
    lblKelvin->setObjectName("lblKelvin");
    lblKelvin->setBuddy(txtKelvin);
    lblK = new QLabel(this);
    lblK->setObjectName("lblK");
    lblK->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");

    auto *hydrogen = new QHBoxLayout;
    hydrogen->addWidget(optHydrogen);
    hydrogen->addWidget(txtKelvin);
    hydrogen->addWidget(lblKelvin, 1);
    auto *all = new QVBoxLayout(this);
    all->addWidget(lblExplain);
    all->addSpacing(fontMetrics().height() / 2);
    // As wide as its text, so that a click beside it is no click on it.
    all->addWidget(optStatistics, 0, Qt::AlignLeft);
    all->addLayout(hydrogen);
    all->addWidget(lblK);
    all->addStretch(1);
    all->addWidget(buttons);
    // Wide enough for the explanation in a few lines.
    setMinimumWidth(fontMetrics().averageCharWidth() * 56);

    connect(optHydrogen, &QRadioButton::clicked, this, &TemperatureDialog::optHydrogen_Click);
    connect(optStatistics, &QRadioButton::toggled, this, &TemperatureDialog::showChoice);
    connect(txtKelvin, &QLineEdit::textEdited, this, &TemperatureDialog::txtKelvin_Edited);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TemperatureDialog::optHydrogen_Click()
{
    // The temperature is what comes next.
    txtKelvin->setFocus();
    txtKelvin->selectAll();
}

void TemperatureDialog::txtKelvin_Edited()
{
    // Typing a temperature chooses hydrogen at it.
    optHydrogen->setChecked(true);
    showChoice();
}

std::optional<EquilibriumModel> TemperatureDialog::chosen() const
{
    if (optStatistics->isChecked())
        return EquilibriumModel{};
    const std::optional<double> kelvin = readDecimalNumber(txtKelvin->text().toStdString(),
                                                           decimalPoint_);
    return kelvin ? EquilibriumModel::hydrogenAt(*kelvin) : std::nullopt;
}

void TemperatureDialog::showChoice()
{
    const std::optional<EquilibriumModel> model = chosen();
    if (model) {
        lblK->setText(tr("K = %1").arg(ValueText::constant(model->K(), decimalPoint_)));
    } else {
        lblK->setText(tr("The temperature must be a number from %1 to %2 kelvin.")
                              .arg(kelvinText(kMinKelvin), kelvinText(kMaxKelvin)));
    }
    buttons->button(QDialogButtonBox::Ok)->setEnabled(model.has_value());
}

} // namespace kormix::ui
