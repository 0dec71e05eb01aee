// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A translation made up on the spot marks every text that goes through tr():
// it writes every letter in its full-width form (A becomes Ａ). With it
// installed, no letter a user can see in any window, menu, dialog, chart
// title, axis title or legend may be a plain one: a plain letter was never
// handed to the translation, so no language would ever reach it, even where
// it stands inside a translated sentence (a word put into a %1). Numbers and
// chemical formulas need no translation and are let through.
#include "tests/ui/common/allwindows.h"

#include "ui/equilibrium/frmequilibrium.h"
#include "ui/help/frmguide.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLegendMarker>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTranslator>

#include <gtest/gtest.h>

namespace kormix::test {
namespace {

// Answers every text of every context with its letters in full width.
// Placeholders (%1) keep their digits and accelerators (&) their place.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        QString text = QString::fromUtf8(source);
        for (QChar &c : text) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(0xFF21 + (c.unicode() - u'A'));
            else if (c >= u'a' && c <= u'z')
                c = QChar(0xFF41 + (c.unicode() - u'a'));
        }
        return text;
    }
    bool isEmpty() const override { return false; }
};

// The plain letters of a text that no translation reached: what is left once
// the chemical formulas, numbers (with their exponents) and the letters every
// language writes alike are taken out.
QString untranslated(QString text)
{
    static const QRegularExpression markup(QStringLiteral("<[^>]*>|&[a-z]+;"));
    static const QRegularExpression same(QStringLiteral("\\b(?:H2|HD|D2|DH|HH|DD|W|Q|K)\\b"
                                                        "|(?<=\\d)E[+-]\\d+"));
    static const QRegularExpression plain(QStringLiteral("[A-Za-z]+"));
    text.remove(markup); // rich text's tags and entities are no words
    text.remove(same);
    QStringList words;
    for (const auto &m : plain.globalMatch(text))
        words << m.captured();
    return words.join(' ');
}

class PseudoTranslationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QCoreApplication::installTranslator(&marking)); }
    void TearDown() override { QCoreApplication::removeTranslator(&marking); }

    // Checks one visible text; `where` says whose it is.
    void expectMarked(const QString &text, const QString &where)
    {
        if (text.trimmed().isEmpty())
            return;
        ++checked;
        EXPECT_EQ(untranslated(text), QString())
                << where.toStdString() << ": \"" << text.toStdString() << "\" was never translated";
    }

    void expectMarkedMenus(const QList<QAction *> &actions, const QString &where)
    {
        for (const QAction *action : actions) {
            if (action->isSeparator())
                continue;
            expectMarked(action->text(), where);
            if (action->menu())
                expectMarkedMenus(action->menu()->actions(), action->menu()->title());
        }
    }

    void expectMarkedChart(const QChart *chart, const QString &where)
    {
        expectMarked(chart->title(), where + " chart title");
        for (const QAbstractAxis *axis : chart->axes()) {
            if (axis->isVisible() && axis->isTitleVisible())
                expectMarked(axis->titleText(), where + " axis");
        }
        for (const QLegendMarker *marker : chart->legend()->markers()) {
            if (chart->legend()->isVisible() && marker->isVisible())
                expectMarked(marker->label(), where + " legend");
        }
    }

    // Every text of the window and of what it holds that shows on screen.
    void expectMarkedWindow(QWidget *window)
    {
        const QString name = window->objectName();
        expectMarked(window->windowTitle(), name + " title");
        expectMarked(window->toolTip(), name + " tool tip");
        for (QWidget *w : window->findChildren<QWidget *>()) {
            // The windows it owns are looked at on their own.
            if (w->window() != window || !w->isVisibleTo(window))
                continue;
            const QString where = name + "/" + w->objectName();
            expectMarked(w->toolTip(), where + " tool tip");
            if (auto *label = qobject_cast<QLabel *>(w))
                expectMarked(label->text(), where);
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                expectMarked(button->text(), where);
            else if (auto *group = qobject_cast<QGroupBox *>(w))
                expectMarked(group->title(), where);
            else if (auto *view = qobject_cast<QChartView *>(w))
                expectMarkedChart(view->chart(), where);
            else if (auto *lines = qobject_cast<QPlainTextEdit *>(w)) {
                for (const QString &line : lines->toPlainText().split('\n'))
                    expectMarked(line, where);
            } else if (auto *bar = qobject_cast<QMenuBar *>(w))
                expectMarkedMenus(bar->actions(), where);
        }
    }

    MarkingTranslator marking;
    int checked = 0;
};

TEST_F(PseudoTranslationTest, EveryTextOfEveryWindowIsTranslated)
{
    AllWindows windows;
    ui::FrmMain &frm = *windows.frm;
    windows.model.setServiceInterval(0);
    // A stepped run, so that the equilibrium window lists collisions in words.
    frm.viewMenu().menu_Equilibrium->trigger();
    frm.runMenu().menu_Step100->trigger();
    frm.helpMenu().menu_Guide->trigger();
    QCoreApplication::processEvents();
    ASSERT_NE(frm.equilibriumForm(), nullptr);

    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || qobject_cast<QMenu *>(window))
            continue;
        // The guide itself is English in every language (its window is not).
        if (auto *guide = qobject_cast<ui::FrmGuide *>(window)) {
            expectMarked(guide->windowTitle(), "guide title");
            continue;
        }
        SCOPED_TRACE(window->objectName().toStdString());
        expectMarkedWindow(window);
    }
    EXPECT_GT(checked, 150); // every window was looked at
}

TEST_F(PseudoTranslationTest, EveryMessageAndDialogIsTranslated)
{
    ui::RunModel model;
    QuietDesktop quiet;
    ui::FrmMain frm(model, quiet.desktop());
    frm.show();
    ModalScript script;
    script.scriptMessageBoxes();
    const auto look = [this](QWidget *w) {
        expectMarkedWindow(w);
        if (auto *box = qobject_cast<QMessageBox *>(w))
            expectMarked(box->text(), "message");
        if (auto *input = qobject_cast<QInputDialog *>(w))
            expectMarked(input->labelText(), "seed dialog");
        ModalScript::close(w);
    };
    // Start without a system, the seed dialog, About.
    script.then(look).then(look).then(look);
    frm.CmdCollide->click();
    frm.runMenu().menu_SetSeed->trigger();
    frm.helpMenu().menu_About->trigger();
    EXPECT_EQ(script.opened.size(), 3);
    EXPECT_GT(checked, 6);
}

} // namespace
} // namespace kormix::test
