// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The revise-data window: the user drags the level columns of H2, HD and D2
// and "Equilibrate" hands the revised counts back.
//
// A drag moves the composition along the exchange H2 + D2 = 2 HD in Adjust All
// mode (the numbers of H and D atoms stay as they were) or changes the one
// count dragged in Adjust One mode. The window edits counts of its own: the
// run is not touched until its owner applies them.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kormix::ui {

class LevelPanel;

class FrmRevise : public QDialog
{
    Q_OBJECT

public:
    // Opens on `counts` (H2, HD, D2), the distribution shown last, for a
    // system of `molecules` molecules (which sets the scale). reviseSide is
    // the adjust mode the user chose last: "L" Adjust All, "R" Adjust One,
    // empty (acting as "L") before the first choice. The window is built anew
    // for every opening while the choice belongs to the program's session,
    // so its owner keeps it; each opening shows the option that matches it.
    // The window ends accepted (QDialog::Accepted) only through
    // "Equilibrate"; nKind then holds the revised counts.
    FrmRevise(const std::array<std::int32_t, 3> &counts,
              std::int32_t molecules,
              char decimalPoint,
              QString &reviseSide,
              QWidget *parent = nullptr);
    ~FrmRevise() override;

    // The counts being revised: H2, HD, D2.
    std::array<std::int32_t, 3> nKind{};

    // Redraws the quotient, the count captions and the columns from nKind and
    // revScale.
    void DrawLevels();
    // The kind (0 H2, 1 HD, 2 D2) of the column whose centre lies nearest to
    // x (twips in the frame); the lower kind wins a tie.
    int NearestLevel(double x) const;
    // Follows the pointer at height y (twips in the frame) with the column
    // revDragLevel and redraws.
    void ApplyDrag(double y);

    std::array<QRadioButton *, 2> optOne{}; // "Adjust All", "Adjust One"
    QLabel *Label2 = nullptr;               // "Q ="
    QLabel *Qa = nullptr;                   // the quotient of the revised counts
    QPushButton *Command1 = nullptr;        // "Equilibrate"
    QLabel *Label1 = nullptr;               // "scale"
    QLabel *Picture1 = nullptr;             // zoom in
    QLabel *Picture2 = nullptr;             // zoom out
    LevelPanel *FraLevels = nullptr;
    std::array<QLabel *, 3> nMolec{}; // count captions by kind, inside the frame
    QLabel *Label3 = nullptr;         // "H2" under its column
    QLabel *Label4 = nullptr;         // "D2"
    QLabel *Label5 = nullptr;         // "HD"

    // Twips of column height per molecule.
    double revScale = 100;
    // Design top and height of the columns; their sum is the base line.
    double revLevelTop = 0;
    double revLevelHeight = 0;
    // The drag in progress: its column (kind) and the button that began it
    // (1 left, 2 right, 4 middle).
    bool revDragging = false;
    int revDragLevel = 0;
    std::int16_t revButton = 0;

    // The adjust mode in force, kept by the window's owner.
    QString &reviseSide;

    // The column the keyboard works on (kind: 0 H2, 1 HD, 2 D2). With the
    // level picture focused, Left and Right choose it in screen order and Up
    // and Down change it; 1, 2 and 3 choose the columns from left to right
    // and + and - change the chosen one from anywhere in the window.
    int keyLevel = 0;
    // Chooses the column of that kind and gives the level picture the focus,
    // which shows the choice.
    void chooseLevel(int kind);
    // Raises (direction 1) or lowers (-1) the chosen column by one molecule,
    // HD by a pair, under the rules of a drag in the mode chosen, and redraws.
    void stepLevel(int direction);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    // Closing by the window manager or Esc: the revision is not accepted.
    void reject() override;

private slots:
    void optOne_Click(int index);
    void Picture1_Click();
    void Picture2_Click();
    void Command1_Click();
    void FraLevels_MouseDown(int button, double x, double y);
    void FraLevels_MouseMove(int button, double x, double y);
    void FraLevels_MouseUp(int button, double x, double y);

private:
    void Form_Load();
    void buildControls();
    void makeKeyboardReachable();
    void connectControls();
    // Sets the counts from a rule's result and redraws.
    void setCounts(const std::array<std::int32_t, 3> &counts);
    void Form_LostFocus();
    double baseLine() const { return revLevelTop + revLevelHeight; }

    // Counts and decimal separator of the system being revised.
    std::int32_t nMolecules_ = 0;
    char decimalPoint_ = '.';
    bool busy_ = false; // a pointer move is being handled
    // Space or Enter on a focused zoom picture clicks it.
    bool pictureKey(QObject *picture, QKeyEvent *key);
    // A focused level picture or zoom picture is painted as it is, then
    // marked: the level picture around the column chosen, a zoom picture
    // with a focus frame.
    void paintFocusMark(QWidget *widget, QEvent *paint);
};

} // namespace kormix::ui
