// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The temperature dialog (Run, Temperature...): the equilibrium the
// collisions go to. "statistics only (K = 4)", where counting alone decides,
// or "hydrogen at" a temperature in kelvin from 20 to 3000, whose K(T) the
// dialog shows as the user types. It only holds what the user chooses; when
// it closes with OK, its owner hands chosen() to the run model.
#pragma once

#include "core/equilibrium/model.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kormix::ui {

class TemperatureDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens on the current model; numbers are written with this decimal
    // separator, and read with it or with the point.
    TemperatureDialog(const EquilibriumModel &current, char decimalPoint, QWidget *parent = nullptr);

    // The model chosen; nothing while "hydrogen at" is chosen and the text
    // typed is no temperature from 20 to 3000 kelvin.
    std::optional<EquilibriumModel> chosen() const;

    QLabel *lblExplain = nullptr;
    QRadioButton *optStatistics = nullptr;
    QRadioButton *optHydrogen = nullptr;
    QLineEdit *txtKelvin = nullptr;
    QLabel *lblKelvin = nullptr; // the unit and the range after the field
    QLabel *lblK = nullptr;      // K of the choice, or why there is none
    QDialogButtonBox *buttons = nullptr;

private slots:
    void optHydrogen_Click();
    void txtKelvin_Edited();
    // K and OK follow the choice.
    void showChoice();

private:
    void buildControls();

    char decimalPoint_;
};

} // namespace kormix::ui
