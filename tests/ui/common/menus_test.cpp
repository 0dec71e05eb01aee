// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Every menu can be worked by keyboard in every language the program speaks:
// each item of the menu bar and of every menu in it (submenus too) has an
// accelerator, and no two items of one menu share one.
#include "tests/ui/common/driver.h"
#include "ui/common/translation.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kormix::test {
namespace {

class MenusTest : public ::testing::TestWithParam<QLocale::Language>
{
protected:
    void SetUp() override
    {
        if (GetParam() != QLocale::English) {
            ASSERT_TRUE(ui::installTranslations(*qApp, QLocale(GetParam())));
        }
        main = std::make_unique<ui::FrmMain>(model, quiet.desktop());
    }
    void TearDown() override
    {
        main.reset();
        ui::removeTranslations(*qApp);
    }

    ui::RunModel model;
    QuietDesktop quiet;
    std::unique_ptr<ui::FrmMain> main;
};

// The items of one menu (or of the menu bar), each with an accelerator of its
// own within it; returns how many items there were.
int expectUniqueAccelerators(const QList<QAction *> &actions, const QString &where)
{
    std::map<QString, QString> seen;
    int items = 0;
    for (const QAction *action : actions) {
        if (action->isSeparator())
            continue;
        ++items;
        const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
        EXPECT_FALSE(mnemonic.isEmpty())
                << where.toStdString() << ": " << action->text().toStdString() << " has none";
        if (mnemonic.isEmpty())
            continue;
        const QString key = mnemonic.toString();
        EXPECT_TRUE(seen.emplace(key, action->text()).second)
                << where.toStdString() << ": " << action->text().toStdString() << " and "
                << seen[key].toStdString() << " share " << key.toStdString();
    }
    return items;
}

int expectUniqueAcceleratorsIn(const QMenu *menu)
{
    int items = expectUniqueAccelerators(menu->actions(), menu->title());
    for (const QAction *action : menu->actions()) {
        if (action->menu())
            items += expectUniqueAcceleratorsIn(action->menu());
    }
    return items;
}

TEST_P(MenusTest, EveryItemOfEveryMenuHasAnAcceleratorOfItsOwn)
{
    const QList<QAction *> bar = main->menuBar()->actions();
    int items = expectUniqueAccelerators(bar, "menu bar");
    for (const QAction *entry : bar)
        items += expectUniqueAcceleratorsIn(entry->menu());
    // File, View, Run and its speeds, Help: every item was looked at.
    EXPECT_GE(items, 17);
    EXPECT_EQ(QKeySequence::mnemonic(main->helpMenu().menu_help->title()),
              QKeySequence(Qt::ALT | Qt::Key_H));
}

INSTANTIATE_TEST_SUITE_P(Languages,
                         MenusTest,
                         ::testing::Values(QLocale::English, QLocale::German),
                         [](const ::testing::TestParamInfo<QLocale::Language> &language) {
                             return QLocale::languageToString(language.param).toStdString();
                         });

} // namespace
} // namespace kormix::test
