// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/main/runmenu.h"

#include "core/wholenumber.h"
#include "ui/common/widgets.h"
#include "ui/main/frmmain.h"
#include "ui/main/mostprobable.h"
#include "ui/model/runmodel.h"
#include "ui/temperature/temperaturedialog.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>

namespace kormix::ui {

namespace {

// The speeds offered, in collisions per second; 0 is full speed.
struct Speed
{
    const char *name;
    const char *caption;
    std::int64_t rate;
};
constexpr Speed kSpeeds[] = {
        {"menu_speed_full", QT_TRANSLATE_NOOP("kormix::ui::RunMenu", "&Full"), 0},
        {"menu_speed_1000000",
         QT_TRANSLATE_NOOP("kormix::ui::RunMenu", "&1,000,000 per second"),
         1000000},
        {"menu_speed_10000", QT_TRANSLATE_NOOP("kormix::ui::RunMenu", "1&0,000 per second"), 10000},
        {"menu_speed_100", QT_TRANSLATE_NOOP("kormix::ui::RunMenu", "100 per &second"), 100},
        {"menu_speed_10", QT_TRANSLATE_NOOP("kormix::ui::RunMenu", "10 &per second"), 10},
};

const char *const kSeedRange = QT_TRANSLATE_NOOP("kormix::ui::RunMenu",
                                                 "a whole number from 0 to 18446744073709551615");

} // namespace

RunMenu::RunMenu(RunModel &model, FrmMain &main)
    : QObject(&main)
    , model_(model)
    , main_(main)
{
    menu_run = addNamedMenu(main.menuBar(), tr("&Run"), "menu_run");

    menu_Step = addNamedAction(menu_run, tr("&Step"), "menu_Step");
    menu_Step100 = addNamedAction(menu_run, tr("Step &100"), "menu_Step100");
    buildSpeedMenu();
    menu_Temperature = addNamedAction(menu_run, tr("&Temperature..."), "menu_Temperature");
    menu_run->addSeparator();
    menu_SetSeed = addNamedAction(menu_run, tr("Set See&d..."), "menu_SetSeed");
    menu_ClearSeed = addNamedAction(menu_run, tr("C&lear Seed"), "menu_ClearSeed");

    connect(menu_Step, &QAction::triggered, this, &RunMenu::menu_Step_Click);
    connect(menu_Step100, &QAction::triggered, this, &RunMenu::menu_Step100_Click);
    connect(menu_Temperature, &QAction::triggered, this, &RunMenu::menu_Temperature_Click);
    connect(menu_SetSeed, &QAction::triggered, this, &RunMenu::menu_SetSeed_Click);
    connect(menu_ClearSeed, &QAction::triggered, this, &RunMenu::menu_ClearSeed_Click);
    connect(menu_run, &QMenu::aboutToShow, this, &RunMenu::updateRunMenu);
    connect(&model_, &RunModel::runStateChanged, this, &RunMenu::updateRunMenu);
    // A loop that was asked to stop ends a little after the state says so.
    connect(&model_, &RunModel::runChanged, this, &RunMenu::updateRunMenu);
    updateRunMenu();
}

void RunMenu::buildSpeedMenu()
{
    menu_speed = addNamedMenu(menu_run, tr("S&peed"), "menu_speed");
    speedGroup = new QActionGroup(this);
    speedGroup->setExclusive(true);
    for (const Speed &speed : kSpeeds) {
        QAction *action = addNamedAction(menu_speed, tr(speed.caption), speed.name);
        action->setCheckable(true);
        action->setChecked(speed.rate == 0);
        action->setData(QVariant::fromValue<qint64>(speed.rate));
        speedGroup->addAction(action);
    }
    connect(speedGroup, &QActionGroup::triggered, this, &RunMenu::speedChosen);
}

void RunMenu::updateRunMenu()
{
    using State = RunModel::RunState;
    const bool canStep = (model_.runState() == State::Ready || model_.runState() == State::Stopped)
                         && !model_.sim().running() && !model_.bNeedsSetup();
    menu_Step->setEnabled(canStep);
    menu_Step100->setEnabled(canStep);
    menu_ClearSeed->setEnabled(model_.sim().rng.hasFixedSeed());
}

void RunMenu::menu_Step_Click()
{
    runSteps(1);
}

void RunMenu::menu_Step100_Click()
{
    runSteps(100);
}

void RunMenu::runSteps(std::int64_t collisions)
{
    // As the start command does it, but without opening or closing the
    // most-probable window at every step; the stop command ends a slow step
    // early.
    main_.whileRunning([&] {
        if (!model_.step(collisions) || model_.isShutDown())
            return;
        // The counters show the very collision the step ended on, not the
        // last hundredth of turbo mode.
        main_.mostProbable().ShowMostProbable();
    });
}

void RunMenu::speedChosen(QAction *action)
{
    model_.setPacedRate(action->data().value<qint64>());
}

void RunMenu::menu_Temperature_Click()
{
    if (model_.isShutDown())
        return;
    // Chosen while collisions run, the model holds from the next collision.
    TemperatureDialog dialog(model_.model(), model_.sim().decimalPoint, &main_);
    if (dialog.exec() != QDialog::Accepted || model_.isShutDown())
        return;
    if (const std::optional<EquilibriumModel> chosen = dialog.chosen())
        model_.setModel(*chosen);
}

void RunMenu::menu_SetSeed_Click()
{
    if (model_.isShutDown())
        return;
    const UniformRandom &rng = model_.sim().rng;
    const QString current = QString::number(quint64(rng.currentSeed()));
    QInputDialog dialog(&main_);
    dialog.setObjectName("dlgSeed");
    dialog.setWindowTitle(tr("Set Seed"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(tr("The seed of this run: %1\n\n"
                           "Every new system starts from the seed given here, so that the "
                           "same setup gives the same run.\nSeed (%2):")
                                .arg(current, tr(kSeedRange)));
    dialog.setTextValue(rng.hasFixedSeed() ? QString::number(quint64(rng.fixedSeed())) : current);
    if (dialog.exec() != QDialog::Accepted || model_.isShutDown())
        return;
    const auto seed = readWholeNumber(dialog.textValue().toStdString());
    if (!seed) {
        main_.ShowMessage(tr("The seed must be %1.").arg(tr(kSeedRange)));
        return;
    }
    model_.fixSeed(*seed);
    updateRunMenu();
}

void RunMenu::menu_ClearSeed_Click()
{
    model_.clearSeed();
    updateRunMenu();
}

} // namespace kormix::ui
