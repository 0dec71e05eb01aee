// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The setup dialog: switching the entry mode converts what was typed, Enter
// and Tab walk through the fields in screen order, and OK builds the system.
#include "core/numberformat.h"
#include "core/simulation.h"
#include "tests/common/germannumbers.h"
#include "ui/setup/frmsetup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

// Failure messages show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kormix::ui {
namespace {

// The core reads the dialog's fields through its host once the dialog is
// accepted, as the run model does with the fields the main window hands it.
class DialogHost : public NullHost
{
public:
    SetupFields readSetupFields() override { return dialog->fields(); }
    FrmSetup *dialog = nullptr;
};

class SetupDialogTest : public ::testing::Test
{
protected:
    SetupDialogTest()
    {
        host.dialog = &dlg;
        sim.setHost(&host);
        QObject::connect(&dlg, &QDialog::accepted, [this] { sim.SetupSystem(); });
    }
    ~SetupDialogTest() override { sim.setHost(nullptr); }

    void showActive()
    {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }

    Simulation sim;
    DialogHost host;
    FrmSetup dlg;
};

struct ToAtoms
{
    const char *h2, *d2, *hd; // as typed
    const char *hAtoms, *dAtoms;
};

TEST_F(SetupDialogTest, SwitchingToAtomsCountsTheAtomsOfTheMolecules)
{
    const ToAtoms cases[] = {
            {"3", "2", "4", "10", "8"},
            {"1.5", "0", "1", "4", "1"}, // fractions carry over
            {"abc", "", "2", "2", "2"},  // no number reads as 0
            {"12abc", "0", "0", "24", "0"},
    };
    for (const ToAtoms &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + " " + c.d2 + " " + c.hd);
        dlg.OptBy[0]->setChecked(true);
        dlg.nMolec[0]->setText(c.h2);
        dlg.nMolec[2]->setText(c.d2);
        dlg.nMolec[1]->setText(c.hd);
        dlg.OptBy[1]->setChecked(true);
        EXPECT_EQ(dlg.natom[0]->text(), c.hAtoms);
        EXPECT_EQ(dlg.natom[1]->text(), c.dAtoms);
    }
}

struct ToMolecules
{
    const char *hAtoms, *dAtoms; // as typed
    const char *hEven, *dEven;   // the atom fields afterwards
    const char *h2, *d2;
};

TEST_F(SetupDialogTest, SwitchingToMoleculesPairsEveryAtomWithItsOwnKind)
{
    const ToMolecules cases[] = {
            {"10", "8", "10", "8", "5", "4"},
            {"7", "5", "6", "4", "3", "2"},
            {"-7", "3", "-6", "2", "-3", "1"}, // halved toward zero
            {"2.5", "x", "2", "0", "1", "0"},  // 2.5 rounds to the even 2
            {"3.5", "1", "4", "0", "2", "0"},
    };
    for (const ToMolecules &c : cases) {
        SCOPED_TRACE(std::string(c.hAtoms) + " " + c.dAtoms);
        dlg.OptBy[1]->setChecked(true);
        dlg.natom[0]->setText(c.hAtoms);
        dlg.natom[1]->setText(c.dAtoms);
        dlg.nMolec[1]->setText("9");
        dlg.OptBy[0]->setChecked(true);
        EXPECT_EQ(dlg.natom[0]->text(), c.hEven);
        EXPECT_EQ(dlg.natom[1]->text(), c.dEven);
        EXPECT_EQ(dlg.nMolec[0]->text(), c.h2);
        EXPECT_EQ(dlg.nMolec[2]->text(), c.d2);
        EXPECT_EQ(dlg.nMolec[1]->text(), "0");
    }
}

// The fields are read back with a point whatever the C library's locale, so
// they are written with one: a fraction typed as molecules carries over.
TEST_F(SetupDialogTest, ThereAndBackUnderAGermanLocaleKeepsThePoint)
{
    const struct
    {
        const char *h2, *d2, *hd; // as typed
        const char *hAtoms, *dAtoms;
        const char *h2Back, *d2Back;
    } cases[] = {
            {"1.75", "0", "0", "3.5", "0", "2", "0"}, // 3.5 rounds to 4 atoms
            {"1.25", "2.75", "0", "2.5", "5.5", "1", "3"},
            {"1.5", "0", "1", "4", "1", "2", "0"},
    };
    test::GermanNumbers german;
    ASSERT_TRUE(german.active()) << test::GermanNumbers::kMissing;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + " " + c.d2 + " " + c.hd);
        dlg.OptBy[0]->setChecked(true);
        dlg.nMolec[0]->setText(c.h2);
        dlg.nMolec[2]->setText(c.d2);
        dlg.nMolec[1]->setText(c.hd);
        dlg.OptBy[1]->setChecked(true);
        EXPECT_EQ(dlg.natom[0]->text(), c.hAtoms);
        EXPECT_EQ(dlg.natom[1]->text(), c.dAtoms);
        dlg.OptBy[0]->setChecked(true);
        EXPECT_EQ(dlg.nMolec[0]->text(), c.h2Back);
        EXPECT_EQ(dlg.nMolec[2]->text(), c.d2Back);
    }
}

// A count too large for any system stays too large through every switch of
// the entry mode, so OK never builds a system from it.
TEST_F(SetupDialogTest, AHugeCountSurvivesSwitchingTheModeAndIsNeverAccepted)
{
    const char *texts[] = {"1e999", "0.5e400", "-1e999", "3e9"};
    for (const char *huge : texts) {
        SCOPED_TRACE(huge);
        showActive();
        dlg.OptBy[0]->setChecked(true);
        dlg.nMolec[0]->setText(huge);
        dlg.nMolec[2]->setText("10");
        dlg.nMolec[1]->setText("0");
        const double typed = readNumber(huge);

        dlg.OptBy[1]->setChecked(true);
        EXPECT_EQ(readNumber(dlg.natom[0]->text().toStdString()),
                  std::max(-DBL_MAX, std::min(2 * typed, DBL_MAX)))
                << dlg.natom[0]->text().toStdString();
        EXPECT_EQ(dlg.natom[1]->text(), "20");
        QTest::mouseClick(dlg.CmdOK, Qt::LeftButton);
        EXPECT_TRUE(sim.bNeedsSetup) << "by atoms";
        EXPECT_EQ(sim.nMolecules, 0);

        showActive();
        dlg.OptBy[0]->setChecked(true);
        EXPECT_EQ(dlg.nMolec[2]->text(), "10");
        EXPECT_GT(std::abs(readNumber(dlg.nMolec[0]->text().toStdString())), 2147483647.0)
                << dlg.nMolec[0]->text().toStdString();
        QTest::mouseClick(dlg.CmdOK, Qt::LeftButton);
        EXPECT_TRUE(sim.bNeedsSetup) << "back by molecules";
        EXPECT_EQ(sim.nMolecules, 0);
    }
}

TEST_F(SetupDialogTest, ThereAndBackShowsOnlyTheFieldsOfTheModeInForce)
{
    showActive();
    dlg.nMolec[0]->setText("3");
    dlg.nMolec[2]->setText("2");
    dlg.nMolec[1]->setText("4");

    QTest::mouseClick(dlg.OptBy[1], Qt::LeftButton);
    EXPECT_EQ(dlg.natom[0]->text(), "10");
    EXPECT_EQ(dlg.natom[1]->text(), "8");
    for (QWidget *w : {(QWidget *) dlg.natom[0],
                       (QWidget *) dlg.natom[1],
                       (QWidget *) dlg.Label4,
                       (QWidget *) dlg.Label5})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget *w : {(QWidget *) dlg.nMolec[0],
                       (QWidget *) dlg.nMolec[1],
                       (QWidget *) dlg.nMolec[2],
                       (QWidget *) dlg.Label1})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    // The visible first field takes the focus with its text selected.
    EXPECT_EQ(dlg.focusWidget(), dlg.natom[0]);
    EXPECT_EQ(dlg.natom[0]->selectedText(), "10");

    QTest::mouseClick(dlg.OptBy[0], Qt::LeftButton);
    EXPECT_EQ(dlg.nMolec[0]->text(), "5");
    EXPECT_EQ(dlg.nMolec[2]->text(), "4");
    EXPECT_EQ(dlg.nMolec[1]->text(), "0");
    EXPECT_TRUE(dlg.nMolec[0]->isVisible());
    EXPECT_FALSE(dlg.natom[0]->isVisible());
    EXPECT_EQ(dlg.focusWidget(), dlg.nMolec[0]);
}

struct Walk
{
    bool byAtoms;
    bool saveAll;
    std::vector<const char *> fields; // reached by Enter, in order
};

TEST_F(SetupDialogTest, EnterWalksThroughTheFieldsInScreenOrderThenToTheSaveOptionAndOk)
{
    const Walk cases[] = {
            {false, true, {"nMolec_0", "nMolec_2", "nMolec_1"}},
            {false, false, {"nMolec_0", "nMolec_2", "nMolec_1"}},
            {true, true, {"natom_0", "natom_1"}},
    };
    showActive();
    for (const Walk &c : cases) {
        SCOPED_TRACE(std::string(c.byAtoms ? "atoms" : "molecules")
                     + (c.saveAll ? ", save all" : ", best only"));
        dlg.OptBy[c.byAtoms ? 1 : 0]->setChecked(true);
        (c.saveAll ? dlg.OptDisplayAll : dlg.OptDisplayBest)->setChecked(true);
        dlg.nMolec[0]->setText("12");
        dlg.nMolec[1]->setText("34");
        dlg.nMolec[2]->setText("56");
        dlg.natom[0]->setText("78");
        dlg.natom[1]->setText("90");
        dlg.findChild<QLineEdit *>(c.fields[0])->setFocus();

        for (std::size_t i = 0; i < c.fields.size(); ++i) {
            auto *field = qobject_cast<QLineEdit *>(dlg.focusWidget());
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->objectName(), c.fields[i]);
            if (i > 0) { // reached by Enter: ready to be typed over
                EXPECT_EQ(field->selectedText(), field->text());
            }
            QTest::keyClick(field, Qt::Key_Return);
        }
        QRadioButton *option = c.saveAll ? dlg.OptDisplayAll : dlg.OptDisplayBest;
        EXPECT_EQ(dlg.focusWidget(), option);
        QTest::keyClick(option, Qt::Key_A);
        EXPECT_EQ(dlg.focusWidget(), dlg.CmdOK);
        // Enter on its way never pressed OK.
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(sim.nMolecules, 0);
    }
}

// One key from a control: where the focus goes.
struct TabStep
{
    bool byAtoms;
    bool saveAll;
    const char *from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *to;
};

void PrintTo(const TabStep &s, std::ostream *os)
{
    *os << (s.byAtoms ? "atoms" : "molecules") << (s.saveAll ? ", save all: " : ", best only: ")
        << s.from
        << (s.key == Qt::Key_Backtab ? " Backtab"
            : s.modifiers            ? " Shift+Tab"
                                     : " Tab");
}

TEST_F(SetupDialogTest, TabMovesTheFocusExactlyOnceAlongTheTabOrder)
{
    const auto tab = Qt::Key_Tab, backtab = Qt::Key_Backtab;
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const TabStep cases[] = {
            {false, true, "nMolec_0", tab, none, "nMolec_2"},
            {false, true, "nMolec_2", tab, none, "nMolec_1"},
            {false, true, "nMolec_1", tab, none, "CmdOK"},
            {false, true, "CmdOK", tab, none, "OptDisplayAll"},
            {false, true, "OptDisplayAll", tab, none, "OptBy_0"},
            {false, true, "OptBy_0", tab, none, "nMolec_0"},
            {false, false, "nMolec_1", tab, none, "CmdOK"},
            {false, false, "CmdOK", tab, none, "OptDisplayBest"},
            {false, true, "nMolec_2", tab, shift, "nMolec_0"},
            {false, true, "nMolec_1", tab, shift, "nMolec_2"},
            {false, true, "CmdOK", tab, shift, "nMolec_1"},
            {false, true, "OptDisplayAll", tab, shift, "CmdOK"},
            {false, true, "nMolec_0", tab, shift, "OptBy_0"},
            {false, true, "nMolec_1", backtab, shift, "nMolec_2"},
            {false, false, "OptDisplayBest", backtab, shift, "CmdOK"},
            {true, true, "natom_0", tab, none, "natom_1"},
            {true, true, "natom_1", tab, none, "CmdOK"},
            {true, true, "OptDisplayAll", tab, none, "OptBy_1"},
            {true, true, "natom_1", tab, shift, "natom_0"},
            {true, true, "CmdOK", tab, shift, "natom_1"},
            {true, true, "natom_0", backtab, shift, "OptBy_1"},
    };
    showActive();
    dlg.nMolec[0]->setText("12");
    dlg.nMolec[1]->setText("34");
    dlg.nMolec[2]->setText("56");
    for (const TabStep &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        dlg.OptBy[c.byAtoms ? 1 : 0]->setChecked(true);
        (c.saveAll ? dlg.OptDisplayAll : dlg.OptDisplayBest)->setChecked(true);
        auto *from = dlg.findChild<QWidget *>(c.from);
        from->setFocus();
        ASSERT_EQ(dlg.focusWidget(), from);
        QTest::keyClick(from, c.key, c.modifiers);
        ASSERT_NE(dlg.focusWidget(), nullptr);
        EXPECT_EQ(dlg.focusWidget()->objectName(), QString(c.to));
        if (auto *field = qobject_cast<QLineEdit *>(dlg.focusWidget())) {
            EXPECT_EQ(field->selectedText(), field->text()); // ready to be typed over
        }
        EXPECT_TRUE(dlg.isVisible());
    }
    EXPECT_EQ(sim.nMolecules, 0); // no key on the way pressed OK
}

struct TabCycle
{
    bool byAtoms;
    bool saveAll;
    std::vector<const char *> order; // one round of Tab from the first field
};

// The controls Tab can reach: every visible control that takes the focus by
// Tab, where of a group of option buttons only the selected one counts.
QStringList tabStops(const QDialog &dlg)
{
    QStringList stops;
    for (QWidget *w : dlg.findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        auto *option = qobject_cast<QRadioButton *>(w);
        if (option && !option->isChecked())
            continue;
        stops << w->objectName();
    }
    stops.sort();
    return stops;
}

TEST_F(SetupDialogTest, TabPressedAgainAndAgainVisitsEveryControlOncePerRound)
{
    const TabCycle cases[] = {
            {false, true, {"nMolec_0", "nMolec_2", "nMolec_1", "CmdOK", "OptDisplayAll", "OptBy_0"}},
            {false,
             false,
             {"nMolec_0", "nMolec_2", "nMolec_1", "CmdOK", "OptDisplayBest", "OptBy_0"}},
            {true, true, {"natom_0", "natom_1", "CmdOK", "OptDisplayAll", "OptBy_1"}},
    };
    showActive();
    for (const TabCycle &c : cases) {
        SCOPED_TRACE(std::string(c.byAtoms ? "atoms" : "molecules")
                     + (c.saveAll ? ", save all" : ", best only"));
        dlg.OptBy[c.byAtoms ? 1 : 0]->setChecked(true);
        (c.saveAll ? dlg.OptDisplayAll : dlg.OptDisplayBest)->setChecked(true);
        QStringList expected;
        for (const char *name : c.order)
            expected << name;
        QStringList sorted = expected;
        sorted.sort();
        EXPECT_EQ(sorted, tabStops(dlg));

        for (const bool forward : {true, false}) {
            SCOPED_TRACE(forward ? "Tab" : "Shift+Tab");
            dlg.findChild<QWidget *>(c.order[0])->setFocus();
            QStringList visited;
            for (int i = 0; i < 2 * int(c.order.size()); ++i) {
                visited << dlg.focusWidget()->objectName();
                QTest::keyClick(dlg.focusWidget(),
                                forward ? Qt::Key_Tab : Qt::Key_Backtab,
                                forward ? Qt::NoModifier : Qt::ShiftModifier);
            }
            QStringList twice = expected;
            if (!forward)
                std::reverse(twice.begin() + 1, twice.end());
            twice += twice;
            EXPECT_EQ(visited, twice);
        }
        EXPECT_TRUE(dlg.isVisible());
    }
}

TEST_F(SetupDialogTest, EnterOnOkAtTheEndOfTheWalkBuildsTheSystem)
{
    showActive();
    dlg.nMolec[0]->setFocus();
    for (const char *typed : {"10", "10", "0"}) {
        QTest::keyClicks(dlg.focusWidget(), typed);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    }
    QTest::keyClick(dlg.focusWidget(), Qt::Key_Return); // from the save option to OK
    ASSERT_EQ(dlg.focusWidget(), dlg.CmdOK);
    QTest::keyClick(dlg.CmdOK, Qt::Key_Return);
    EXPECT_EQ(sim.nMolecules, 20);
    EXPECT_EQ(sim.nD2, 10);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(SetupDialogTest, SaveOptionsTakeEffectWithOk)
{
    showActive();
    dlg.nMolec[0]->setText("10");
    QTest::mouseClick(dlg.OptDisplayBest, Qt::LeftButton);
    EXPECT_FALSE(dlg.fields().displayAll);
    EXPECT_EQ(dlg.focusWidget(), dlg.CmdOK);
    EXPECT_FALSE(sim.bSaveAll); // nothing accepted yet: the run is untouched
    QTest::mouseClick(dlg.CmdOK, Qt::LeftButton);
    EXPECT_FALSE(sim.bSaveAll);

    showActive();
    QTest::mouseClick(dlg.OptDisplayAll, Qt::LeftButton);
    EXPECT_TRUE(dlg.fields().displayAll);
    EXPECT_FALSE(sim.bSaveAll);
    QTest::mouseClick(dlg.CmdOK, Qt::LeftButton);
    EXPECT_TRUE(sim.bSaveAll);
}

struct OkCase
{
    bool byAtoms;
    const char *first, *second; // H2 and D2, or H and D atoms
    int nH2, nD2;
    const char *focused;
};

TEST_F(SetupDialogTest, OkBuildsTheSystemAndLeavesTheFirstFieldReadyForNextTime)
{
    const OkCase cases[] = {
            {false, "5", "4", 5, 4, "nMolec_0"},
            {true, "7", "4", 3, 2, "natom_0"},
    };
    for (const OkCase &c : cases) {
        SCOPED_TRACE(c.byAtoms ? "atoms" : "molecules");
        showActive();
        dlg.OptBy[c.byAtoms ? 1 : 0]->setChecked(true);
        QLineEdit *first = c.byAtoms ? dlg.natom[0] : dlg.nMolec[0];
        QLineEdit *second = c.byAtoms ? dlg.natom[1] : dlg.nMolec[2];
        first->setText(c.first);
        second->setText(c.second);
        dlg.CmdOK->setFocus();
        QTest::mouseClick(dlg.CmdOK, Qt::LeftButton);

        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(sim.nH2, c.nH2);
        EXPECT_EQ(sim.nD2, c.nD2);
        EXPECT_FALSE(sim.bNeedsSetup);
        EXPECT_EQ(dlg.focusWidget()->objectName(), c.focused);
        EXPECT_EQ(first->selectedText(), first->text());
    }
}

} // namespace
} // namespace kormix::ui
