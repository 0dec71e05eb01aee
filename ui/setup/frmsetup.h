// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The setup dialog: the user describes the system either as numbers of H2, D2
// and HD molecules or as numbers of H and D atoms, and chooses whether every
// distribution found is kept or only the most probable one. The dialog only
// holds the input; OK hands it to the core, which builds the system.
#pragma once

#include "core/host.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kormix::ui {

class FrmSetup : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog in its design state, hidden. The main window loads it
    // once and then only shows and hides it, so the fields keep what was
    // typed. OK accepts the dialog; the main window then hands its fields to
    // the run, which builds the system from them.
    explicit FrmSetup(QWidget *parent = nullptr);

    // Switches between entry by molecules and entry by atoms and converts the
    // numbers already typed into the other form.
    void SetEntryMode(bool byMolecules);

    // The fields as typed, for the core's setup.
    SetupFields fields() const;

    QGroupBox *Frame1 = nullptr;
    QRadioButton *OptBy[2] = {};
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *nMolec[3] = {}; // by molecule kind: H2, HD, D2
    QLineEdit *natom[2] = {};  // H atoms, D atoms
    QLabel *Picture1 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QRadioButton *OptDisplayAll = nullptr;
    QRadioButton *OptDisplayBest = nullptr;
    QLabel *Picture4 = nullptr;
    QPushButton *CmdOK = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void OptBy_Click(int index);
    void OptDisplayAll_Click();
    void OptDisplayBest_Click();
    void CmdOK_Click();

private:
    void buildParticleOptions();
    void buildSaveOptions();
    void setFocusOrder();
    void connectControls();
    void nMolec_GotFocus(int index);
    void natom_GotFocus(int index);
    void nMolec_KeyPress(int index, int keyAscii);
    void natom_KeyPress(int index, int keyAscii);
    void OptDisplay_KeyPress();

    // Selects the whole text of a visible field and gives it the focus.
    static void SelectAllText(QLineEdit *box);
    void focusSaveOption();
    void setOptionTabStops();
};

} // namespace kormix::ui
