// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the windows tell a screen reader, read through Qt's accessibility
// interfaces as the platform bridge reads them: every control that takes the
// focus has a name, the setup fields are named by their labels, the main
// window's values are tied to their captions, and the painted chart tells
// which distribution is selected.
#include "tests/ui/common/allwindows.h"

#include "ui/display/distributionchart.h"

#include "core/quotienttext.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace kormix::ui {
namespace {

QString name(QObject *object)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Name) : QString();
}

QString description(QObject *object)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Description) : QString();
}

// Walks the accessible tree below a window, as a screen reader does.
void Walk(QAccessibleInterface *node, const std::function<void(QAccessibleInterface *)> &visit)
{
    if (!node)
        return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), visit);
}

TEST(Access, EveryControlThatTakesTheFocusHasAName)
{
    test::AllWindows all;
    // The modal windows open side by side, left open this time.
    for (QWidget *w : {static_cast<QWidget *>(all.display.get()),
                       static_cast<QWidget *>(all.revise.get()),
                       static_cast<QWidget *>(all.frm->setupForm())}) {
        all.script.then([](QWidget *) {});
        w->show();
    }
    QCoreApplication::processEvents();
    for (QWidget *window : all.windows()) {
        SCOPED_TRACE(window->objectName().toStdString());
        int controls = 0;
        Walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface *a) {
            auto *w = qobject_cast<QWidget *>(a->object());
            if (!w || !w->isVisible() || !(w->focusPolicy() & Qt::TabFocus))
                return;
            ++controls;
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                    << w->metaObject()->className() << " " << w->objectName().toStdString();
        });
        // frmBest has no controls; every other window has some.
        if (window != all.frm->bestForm()) {
            EXPECT_GT(controls, 0);
        }
    }
}

TEST(Access, SetupFieldsAreNamedByTheirLabels)
{
    test::AllWindows all;
    FrmSetup *setup = all.frm->setupForm();
    const struct
    {
        QLineEdit *field;
        const char *name;
    } fields[] = {{setup->nMolec[0], "molecules of H2"},
                  {setup->nMolec[2], "molecules of D2"},
                  {setup->nMolec[1], "molecules of HD"},
                  {setup->natom[0], "atoms of H"},
                  {setup->natom[1], "atoms of D"}};
    for (const auto &f : fields)
        EXPECT_EQ(name(f.field), f.name) << f.field->objectName().toStdString();
    // The frames keep their captions as names.
    EXPECT_EQ(name(setup->Frame1), "particle options");
    EXPECT_EQ(name(setup->Frame4), "save options");
}

TEST(Access, MainWindowValuesAreTiedToTheirCaptions)
{
    test::AllWindows all;
    FrmMain &m = *all.frm;
    const struct
    {
        QLabel *caption;
        QLabel *value;
    } pairs[] = {{m.Label1, m.H2},
                 {m.Label9, m.D2},
                 {m.Label4, m.HD},
                 {m.Label3, m.Qa},
                 {m.Label12, m.nHatoms},
                 {m.Label15, m.nDatoms},
                 {m.Label5, m.status},
                 {m.LblNumDistros, m.NumDistros},
                 {m.Label7, m.ncollide},
                 {m.Label13, m.bestcol},
                 {m.Label6, m.logW},
                 {m.Label11, m.Wmax},
                 {m.Label2, m.BestQ}};
    for (const auto &p : pairs) {
        SCOPED_TRACE(p.value->objectName().toStdString());
        ASSERT_FALSE(p.value->text().isEmpty()); // a system is set up
        // A label's name is its own text; the value's description is its caption.
        EXPECT_EQ(name(p.value), p.value->text());
        EXPECT_EQ(name(p.caption), p.caption->text());
        EXPECT_EQ(description(p.value), p.caption->text());

        // And the caption labels the value (the relation reads from the other
        // object to this one: the caption is the Label of the value).
        QAccessibleInterface *value = QAccessible::queryAccessibleInterface(p.value);
        bool labelled = false;
        for (const auto &[other, relation] : value->relations(QAccessible::Label))
            labelled = labelled || other->object() == p.caption;
        EXPECT_TRUE(labelled);
    }
    // What a screen reader makes of it: caption, then value.
    EXPECT_EQ(description(m.H2) + " " + name(m.H2), "molecules of H2 10");
}

TEST(Access, TheChartDescribesTheSelectedDistribution)
{
    test::AllWindows all;
    FrmDisplay &display = *all.display;
    ASSERT_GT(all.sim.nStored, 0);
    EXPECT_EQ(name(display.chart), "Distributions");
    auto expected = [&] {
        const auto &n = all.sim.nKind;
        return QString("%1 H2, %2 HD, %3 D2, %4, Q = %5")
                .arg(n[0])
                .arg(n[1])
                .arg(n[2])
                .arg(display.W->text(),
                     QString::fromStdString(quotientText(n[0], n[1], n[2], all.sim.decimalPoint)));
    };
    EXPECT_EQ(description(display.chart), expected());
    EXPECT_EQ(description(display.chart), "10 H2, 0 HD, 10 D2, W = 184756, Q = 0.00");
}

} // namespace
} // namespace kormix::ui
