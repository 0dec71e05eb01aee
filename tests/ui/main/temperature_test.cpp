// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Run, Temperature...: the menu item and its dialog, by keyboard alone, in
// English and German; K shown as the temperature is typed; only OK changes
// the model, and a run going on takes it from its next collision.
#include "tests/ui/main/mainfixture.h"

#include "core/hydrogen/equilibriumconstant.h"
#include "ui/common/translation.h"
#include "ui/temperature/temperaturedialog.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <optional>

namespace kormix::test {
namespace {

EquilibriumModel hydrogenAt(double kelvin)
{
    return *EquilibriumModel::hydrogenAt(kelvin);
}

// Alt plus an option button's accelerator: the button is pressed down and
// clicked a moment later, as Qt animates it; this waits for the click.
void choose(QRadioButton *option, Qt::Key accelerator)
{
    pressKey(accelerator, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([option] { return option->isChecked() && !option->isDown(); }));
}

// The dialog, as a scripted action sees it: active, as the desktop makes a
// window that opens.
ui::TemperatureDialog *dialogOf(QWidget *w)
{
    auto *dialog = qobject_cast<ui::TemperatureDialog *>(w);
    EXPECT_NE(dialog, nullptr) << "expected the temperature dialog";
    if (!dialog)
        ModalScript::close(w);
    else
        activate(dialog);
    return dialog;
}

class TemperatureTest : public MainWindowTest
{
protected:
    // Opens Run, Temperature... with the keys: Alt plus the menu's
    // accelerator, then the item's.
    void openByKeys(Qt::Key menuKey, Qt::Key itemKey)
    {
        activate(&frm);
        pressKey(menuKey, Qt::AltModifier);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        pressKey(itemKey);
    }
};

TEST_F(TemperatureTest, ChosenByKeyboardAloneAndTheModelHoldsForTheSystemsThatFollow)
{
    ASSERT_EQ(frm.runMenu().menu_Temperature->text(), "&Temperature...");
    QSignalSpy changed(&model, &ui::RunModel::modelChanged);
    bool answered = false;
    script.then([&](QWidget *w) {
        ui::TemperatureDialog *dialog = dialogOf(w);
        if (!dialog)
            return;
        EXPECT_EQ(dialog->windowTitle(), "Temperature");
        EXPECT_TRUE(dialog->optStatistics->isChecked()); // the default
        EXPECT_TRUE(dialog->optStatistics->hasFocus());
        EXPECT_EQ(dialog->lblK->text(), "K = 4");
        // Alt+H chooses hydrogen and goes to the temperature, all selected.
        choose(dialog->optHydrogen, Qt::Key_H);
        EXPECT_TRUE(dialog->txtKelvin->hasFocus());
        QTest::keyClicks(keyTarget(), "500");
        EXPECT_EQ(dialog->txtKelvin->text(), "500");
        answered = true;
        pressKey(Qt::Key_Return);
    });
    openByKeys(Qt::Key_R, Qt::Key_T);
    ASSERT_TRUE(answered);
    EXPECT_EQ(sim.model(), hydrogenAt(500));
    EXPECT_EQ(changed.count(), 1);

    // The systems that follow go to it, until statistics only is chosen.
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    EXPECT_EQ(sim.model(), hydrogenAt(500));
    script.then([&](QWidget *w) {
        if (ui::TemperatureDialog *dialog = dialogOf(w)) {
            EXPECT_TRUE(dialog->txtKelvin->hasFocus()); // on the temperature chosen
            EXPECT_EQ(dialog->txtKelvin->selectedText(), "500");
            choose(dialog->optStatistics, Qt::Key_S);
            pressKey(Qt::Key_Return);
        }
    });
    openByKeys(Qt::Key_R, Qt::Key_T);
    EXPECT_EQ(sim.model(), EquilibriumModel{});
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(script.unexpected, 0);
}

// K(T) as the user types, with the program's decimal separator; OK only for
// a temperature offered.
TEST_F(TemperatureTest, ShowsKAsTypedAndTakesOnlyATemperatureOffered)
{
    const struct
    {
        const char *typed;
        std::optional<double> kelvin;
    } cases[] = {
            {"298.15", 298.15},
            {"20", 20},
            {"3000", 3000},
            {"19.9", std::nullopt},
            {"3001", std::nullopt},
            {"-300", std::nullopt},
            {"1e3", std::nullopt},
            {"warm", std::nullopt},
            {"", std::nullopt},
    };
    ui::TemperatureDialog dialog(EquilibriumModel{}, '.', &frm);
    dialog.show();
    QPushButton *ok = dialog.buttons->button(QDialogButtonBox::Ok);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        dialog.txtKelvin->selectAll();
        QTest::keyClick(dialog.txtKelvin, Qt::Key_Delete);
        QTest::keyClicks(dialog.txtKelvin, c.typed);
        EXPECT_TRUE(dialog.optHydrogen->isChecked()); // typing chooses hydrogen
        EXPECT_EQ(ok->isEnabled(), c.kelvin.has_value());
        if (c.kelvin) {
            EXPECT_EQ(dialog.chosen(), hydrogenAt(*c.kelvin));
            EXPECT_EQ(dialog.lblK->text(),
                      "K = " + QString::number(equilibriumConstant(*c.kelvin), 'f', 3));
        } else {
            EXPECT_EQ(dialog.chosen(), std::nullopt);
            EXPECT_EQ(dialog.lblK->text(),
                      "The temperature must be a number from 20 to 3000 kelvin.");
        }
    }
    // Statistics only needs no temperature.
    QTest::mouseClick(dialog.optStatistics, Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.chosen(), EquilibriumModel{});
    EXPECT_EQ(dialog.lblK->text(), "K = 4");
}

// Esc, or the frame's close control, leaves the model as it was, whatever
// was chosen and typed.
TEST_F(TemperatureTest, ClosedWithoutOkChangesNothing)
{
    model.setModel(hydrogenAt(300));
    QSignalSpy changed(&model, &ui::RunModel::modelChanged);
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Esc" : "closed");
        script.then([&](QWidget *w) {
            if (ui::TemperatureDialog *dialog = dialogOf(w)) {
                choose(dialog->optStatistics, Qt::Key_S);
                QTest::keyClicks(dialog->txtKelvin, "4");
                if (escape)
                    pressKey(Qt::Key_Escape);
                else
                    dialog->close();
            }
        });
        frm.runMenu().menu_Temperature->trigger();
        EXPECT_EQ(sim.model(), hydrogenAt(300));
    }
    EXPECT_EQ(changed.count(), 0);
    // Choosing the model there is already changes nothing either.
    model.setModel(hydrogenAt(300));
    EXPECT_EQ(changed.count(), 0);
}

// Chosen while collisions run, the model holds from the next collision: the
// run goes on in a new segment of its course.
TEST_F(TemperatureTest, ARunGoingOnTakesItFromItsNextCollision)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    std::int64_t chosenAt = -1;
    script.then([&](QWidget *w) {
        if (ui::TemperatureDialog *dialog = dialogOf(w)) {
            chosenAt = sim.nCollisions;
            dialog->txtKelvin->setText("100");
            QTest::mouseClick(dialog->optHydrogen, Qt::LeftButton);
            QTest::mouseClick(dialog->buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }
    });
    click(frm.CmdCollide,
          {at(1000, [&] { frm.runMenu().menu_Temperature->trigger(); }), stopAt(3000)});
    ASSERT_GE(chosenAt, 1000);
    EXPECT_EQ(sim.model(), hydrogenAt(100));
    EXPECT_EQ(sim.observed.segmentStart(), chosenAt);
    EXPECT_GT(sim.observed.reactions.h2d2Unreacted, 0);
    EXPECT_EQ(sim.observed.series().revisions(), std::vector<std::int64_t>{chosenAt});
}

TEST_F(TemperatureTest, InGermanByKeyboardToo)
{
    struct German
    {
        German() { ui::installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)); }
        ~German() { ui::removeTranslations(*qApp); }
    } german;
    ui::RunModel germanModel(',');
    ui::FrmMain main{germanModel, desktop.desktop()};
    main.show();
    EXPECT_EQ(main.runMenu().menu_Temperature->text(), "&Temperatur...");
    bool answered = false;
    script.then([&](QWidget *w) {
        ui::TemperatureDialog *dialog = dialogOf(w);
        if (!dialog)
            return;
        EXPECT_EQ(dialog->windowTitle(), "Temperatur");
        EXPECT_EQ(dialog->optStatistics->text(), "nur &Statistik (K = 4)");
        EXPECT_EQ(dialog->optHydrogen->text(), "&Wasserstoff bei");
        EXPECT_EQ(dialog->lblKelvin->text(), "Kelvin (20 bis 3000)");
        EXPECT_EQ(dialog->txtKelvin->text(), "298,15"); // the room's, with the comma
        choose(dialog->optHydrogen, Qt::Key_W);
        QTest::keyClicks(keyTarget(), "77,5");
        EXPECT_EQ(dialog->lblK->text(),
                  "K = " + QString::number(equilibriumConstant(77.5), 'f', 3).replace('.', ','));
        answered = true;
        pressKey(Qt::Key_Return);
    });
    activate(&main);
    pressKey(Qt::Key_B, Qt::AltModifier); // A&blauf
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    pressKey(Qt::Key_T);
    ASSERT_TRUE(answered);
    EXPECT_EQ(germanModel.model(), hydrogenAt(77.5));
}

} // namespace
} // namespace kormix::test
