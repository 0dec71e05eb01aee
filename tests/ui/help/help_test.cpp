// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The Help menu: the guide opens with F1 in a window of its own, and About
// names the version, the licence and the Qt version.
#include "ui/help/about.h"
#include "ui/help/frmguide.h"
#include "ui/main/frmmain.h"

#include "core/simulation.h"
#include "tests/ui/common/driver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kormix::ui {
namespace {

class HelpTest : public ::testing::Test
{
protected:
    HelpTest()
    {
        frm.show();
        QApplication::setActiveWindow(&frm);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frm));
    }

    FrmGuide *guideWindow() const { return frm.findChild<FrmGuide *>("frmGuide"); }

    ui::RunModel model;
    const Simulation &sim = model.sim();
    test::QuietDesktop quiet;
    ui::FrmMain frm{model, quiet.desktop()};
};

TEST_F(HelpTest, HelpIsTheLastMenuWithTheGuideAndAbout)
{
    const QList<QAction *> menus = frm.menuBar()->actions();
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus.first()->text(), "&File");
    EXPECT_EQ(menus.last()->text(), "&Help");
    ASSERT_EQ(frm.helpMenu().menu_help->actions().size(), 2);
    EXPECT_EQ(frm.helpMenu().menu_help->actions()[0]->text(), "Kormix &Guide");
    EXPECT_EQ(frm.helpMenu().menu_help->actions()[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(frm.helpMenu().menu_help->actions()[1]->text(), "&About Kormix");
}

// On a Mac, Exit and About go into the application menu in every language, and
// nothing else leaves its menu ("Set Seed..." is no Preferences item).
TEST_F(HelpTest, OnlyExitAndAboutMoveIntoTheApplicationMenuOfAMac)
{
    int items = 0;
    std::function<void(const QList<QAction *> &)> check = [&](const QList<QAction *> &actions) {
        for (QAction *action : actions) {
            SCOPED_TRACE(action->text().toStdString());
            if (action->menu())
                check(action->menu()->actions());
            const QAction::MenuRole expected = action == frm.menu_Exit    ? QAction::QuitRole
                                               : action == frm.helpMenu().menu_About ? QAction::AboutRole
                                                                          : QAction::NoRole;
            EXPECT_EQ(action->menuRole(), expected);
            ++items;
        }
    };
    check(frm.menuBar()->actions());
    EXPECT_GT(items, 10);
}

TEST_F(HelpTest, F1OpensTheGuideInAWindowOfItsOwn)
{
    EXPECT_EQ(guideWindow(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    FrmGuide *guide = guideWindow();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->isWindow());
    EXPECT_FALSE(guide->isModal());

    // The guide's Markdown is shown as formatted text: its first block is the
    // guide's title as a heading, not the Markdown source.
    const QTextBlock first = guide->txtGuide->document()->firstBlock();
    EXPECT_EQ(first.text(), "Kormix guide");
    EXPECT_EQ(first.blockFormat().headingLevel(), 1);
    EXPECT_TRUE(guide->txtGuide->toPlainText().contains("Classroom activities"));

    // F1 again brings up the same window rather than a second one.
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &frm, Qt::Key_F1);
    EXPECT_EQ(frm.findChildren<FrmGuide *>().size(), 1);

    // File, Exit closes it with every other window.
    frm.menu_Exit->trigger();
    EXPECT_FALSE(guide->isVisible());
}

TEST_F(HelpTest, TheBuiltInGuideIsTheGuideFile)
{
    QFile file(QStringLiteral(KORMIX_SOURCE_DIR "/docs/guide.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(FrmGuide::guideText(), QString::fromUtf8(file.readAll()));
}

TEST_F(HelpTest, AboutNamesVersionLicenceAndQt)
{
    QString text;
    QString title;
    test::ModalScript script;
    script.scriptMessageBoxes();
    script.then([&](QWidget *w) {
        title = w->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            text = box->text();
            box->accept();
        } else {
            w->close();
        }
    });
    frm.helpMenu().menu_About->trigger();
    EXPECT_EQ(title, "About Kormix");
    EXPECT_TRUE(text.contains("Version " KORMIX_PROJECT_VERSION)) << text.toStdString();
    EXPECT_TRUE(text.contains("GPL-3.0-or-later")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("Qt ") + qVersion())) << text.toStdString();
    EXPECT_EQ(programVersion(), KORMIX_PROJECT_VERSION);
}

// The list items the guide means: lines outside code blocks that begin with
// "- " or a number and ". ", after a blank line, another item or an item's
// indented continuation. A line that only happens to begin with such a
// marker (or with "+ " or "* ") in the middle of a sentence is no item. Each
// item is given by its first words, with the Markdown of emphasis, code and
// links taken out, as the rendered document shows them.
QStringList intendedListItems(const QString &markdown)
{
    static const QRegularExpression item(QStringLiteral(R"(^\s*(?:-|\d+\.) (.*)$)"));
    static const QRegularExpression link(QStringLiteral(R"(\[([^\]]*)\]\([^)]*\))"));
    QStringList items;
    bool inCode = false, mayStartItem = true;
    for (const QString &line : markdown.split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1String("```")))
            inCode = !inCode;
        const QRegularExpressionMatch m = item.match(line);
        const bool isItem = !inCode && mayStartItem && m.hasMatch();
        if (isItem) {
            QString text = m.captured(1);
            text.replace(link, QStringLiteral("\\1"));
            text.remove(QLatin1Char('*')).remove(QLatin1Char('`'));
            items << text.section(QLatin1Char(' '), 0, 2);
        }
        mayStartItem = line.trimmed().isEmpty() || isItem
                       || (!items.isEmpty() && line.startsWith(QLatin1Char(' ')));
    }
    return items;
}

// The guide window renders the guide without stray lists: every list item of
// the rendered document is one the guide means, in the same order.
TEST(GuideRendering, EveryListItemIsOneTheGuideMeans)
{
    FrmGuide guide;
    QStringList rendered;
    for (QTextBlock b = guide.txtGuide->document()->begin(); b.isValid(); b = b.next()) {
        if (b.textList())
            rendered << b.text();
    }
    const QStringList intended = intendedListItems(FrmGuide::guideText());
    ASSERT_GT(intended.size(), 40);
    for (qsizetype i = 0; i < std::max(rendered.size(), intended.size()); ++i) {
        const QString shown = rendered.value(i), meant = intended.value(i);
        ASSERT_TRUE(!meant.isEmpty() && shown.startsWith(meant))
                << "list item " << i << " shows \"" << shown.toStdString() << "\" where the guide "
                << "means \"" << meant.toStdString() << "\"";
    }
}

} // namespace
} // namespace kormix::ui
