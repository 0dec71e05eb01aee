// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The molecules window, opened from the main window's View menu and driven
// through real runs: the colours it draws against the run's counts after
// every collision, the pair it rings against the pair the engine picked, the
// atoms that trade places, a large system drawn in proportion, and the
// picture it saves.
#include "tests/ui/main/mainfixture.h"

#include "core/equilibrium/model.h"
#include "core/moleculesample.h"
#include "core/simulation.h"
#include "ui/common/steptext.h"
#include "ui/molecules/frmmolecules.h"
#include "ui/molecules/moleculespicture.h"

#include <QAction>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

namespace kormix::ui {
namespace {

using test::Molecules;

// The kinds a picture shows in its places, read from its pixels: the colour
// at the centre of each molecule's two discs, red for H and black for D. The
// kind is the number of D atoms (0 = H2, 1 = HD, 2 = D2); an HD is drawn H
// first.
std::vector<int> kindsSeen(MoleculesPicture *picture)
{
    const QImage image = picture->grab().toImage();
    std::vector<int> kinds;
    for (int place = 0; place < int(picture->kinds().size()); ++place) {
        int d = 0;
        for (int atom = 0; atom < 2; ++atom) {
            const QPoint at = atomCentre(picture->centreOf(place), picture->radius(), atom).toPoint();
            const QColor colour = image.pixelColor(at);
            if (colour == QColor(Qt::black))
                ++d;
            else if (colour != QColor(Qt::red))
                ADD_FAILURE() << "place " << place << " atom " << atom << ": "
                              << colour.name().toStdString();
        }
        kinds.push_back(d);
    }
    return kinds;
}

std::array<std::int64_t, 3> countsOf(const std::vector<int> &kinds)
{
    std::array<std::int64_t, 3> counts{};
    for (int kind : kinds)
        ++counts[std::size_t(kind)];
    return counts;
}

class MoleculesWindowTest : public test::MainWindowTest
{
protected:
    // View, Molecules, as the user chooses it.
    FrmMolecules *openWindow()
    {
        frm.viewMenu().menu_Molecules->trigger();
        FrmMolecules *w = frm.viewMenu().moleculesForm();
        EXPECT_NE(w, nullptr);
        return w;
    }
    void chooseSpeed(const char *name)
    {
        auto *action = frm.findChild<QAction *>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    std::array<std::int64_t, 3> runCounts() const { return {sim.nH2, sim.nHD, sim.nD2}; }
};

TEST_F(MoleculesWindowTest, OpensFromTheViewMenuAfterEquilibrium)
{
    const QList<QAction *> items = frm.viewMenu().menu_view->actions();
    QStringList texts;
    for (const QAction *item : items)
        texts << item->text();
    EXPECT_EQ(texts, (QStringList{"&Equilibrium", "&Molecules", "&Arrangements"}));
    EXPECT_EQ(frm.viewMenu().moleculesForm(), nullptr); // nothing before it is asked for

    FrmMolecules *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "Molecules");
    EXPECT_EQ(w->parent(), &frm);
    // No system: nothing drawn, no counts.
    EXPECT_TRUE(w->picMolecules->kinds().empty());
    EXPECT_EQ(w->lblCount[0]->text(), "");
}

// At 100 collisions a second each collision can be watched: after every one
// of a seeded run the colours in the picture count what the run counts, the
// ringed pair is the pair of the step log (its lasting numbers, and the
// kinds it had), and exactly the two molecules of a reaction change colour.
TEST_F(MoleculesWindowTest, FollowsEveryCollisionOfAWatchedRun)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmMolecules *w = openWindow();
    chooseSpeed("menu_speed_100");
    std::vector<int> before = kindsSeen(w->picMolecules);
    // A new system's molecules are numbered H2 first.
    const std::vector<int> firstNumbered = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    EXPECT_EQ(before, firstNumbered);
    int checked = 0, reactions = 0;
    std::int64_t seen = 0;
    QObject::connect(&model, &RunModel::serviced, w, [&] {
        if (sim.nCollisions == seen)
            return; // the loop waits for its next collision
        seen = sim.nCollisions;
        SCOPED_TRACE(seen);
        const std::vector<int> now = kindsSeen(w->picMolecules);
        EXPECT_EQ(countsOf(now), runCounts());
        ASSERT_FALSE(sim.stepLog.empty());
        const StepEntry e = sim.stepLog.entries().back();
        EXPECT_EQ(e.collision, seen);
        const int first = int(e.first - 1), second = int(e.second - 1);
        EXPECT_EQ(w->picMolecules->ringed(), (std::array{first, second}));
        EXPECT_EQ(before[std::size_t(first)], e.firstKind);
        EXPECT_EQ(before[std::size_t(second)], e.secondKind);
        std::vector<int> changed;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] != before[i])
                changed.push_back(int(i));
        }
        const bool reacted = e.outcome != StepOutcome::Unchanged;
        reactions += reacted;
        EXPECT_EQ(changed.size(), reacted ? 2u : 0u);
        for (int place : changed)
            EXPECT_TRUE(place == first || place == second) << place;
        const char *names[] = {"H2", "HD", "D2"};
        EXPECT_TRUE(w->picMolecules->accessibleDescription().contains(
                QString("picked: molecule %1 (%2) and molecule %3 (%4), %5")
                        .arg(e.first)
                        .arg(names[e.firstKind])
                        .arg(e.second)
                        .arg(names[e.secondKind])
                        .arg(reacted ? "they react" : "no reaction")))
                << w->picMolecules->accessibleDescription().toStdString();
        EXPECT_FALSE(w->trading()); // too fast to watch atoms on their way
        before = now;
        ++checked;
    });
    frm.runMenu().menu_Step100->trigger();
    EXPECT_EQ(checked, 100);
    EXPECT_GT(reactions, 10);
    // The same system set up anew is new molecules, numbered H2 first again.
    chooseSpeed("menu_speed_full");
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    EXPECT_EQ(kindsSeen(w->picMolecules), firstNumbered);
}

// Each collision a step makes, in words: the outcome with the reason there
// was none (same kinds, the HD + HD coin, at a temperature the H2 + D2
// draw), and the step log's own line.
TEST_F(MoleculesWindowTest, TellsTheOutcomeAndWhyThereWasNone)
{
    const struct
    {
        std::vector<float> draws;
        QString outcome;
        QString description;
        std::array<QString, 4> counts;
        double kelvin = 0; // 0: statistics only
    } cases[] = {
            // Places 1 and 2: H2 + HD.
            {{0.0f, 0.3f},
             "No reaction: trading atoms would give the same kinds again.",
             "4 molecules: 1 H2, 2 HD, 1 D2; picked: molecule 1 (H2) and molecule 2 (HD), no "
             "reaction",
             {"1", "2", "1", "4.00"}},
            // Places 2 and 3: HD + HD, the coin 0.2.
            {{0.3f, 0.6f, 0.2f},
             "No reaction: HD + HD react only when their coin is above 0.5.",
             "4 molecules: 1 H2, 2 HD, 1 D2; picked: molecule 2 (HD) and molecule 3 (HD), no "
             "reaction",
             {"1", "2", "1", "4.00"}},
            // The coin 0.9.
            {{0.3f, 0.6f, 0.9f},
             "They react: the two molecules trade atoms.",
             "4 molecules: 2 H2, 0 HD, 2 D2; picked: molecule 2 (HD) and molecule 3 (HD), they "
             "react",
             {"2", "0", "2", "0.00"}},
            // Places 4 and 1: D2 + H2.
            {{0.8f, 0.0f},
             "They react: the two molecules trade atoms.",
             "4 molecules: 0 H2, 4 HD, 0 D2; picked: molecule 4 (D2) and molecule 1 (H2), they "
             "react",
             {"0", "4", "0", "infinite"}},
            // The same pair at 298.15 K, where it reacts when its draw is below
            // K / 4 = 0.81: the draw 0.9 refuses, 0.1 accepts.
            {{0.8f, 0.0f, 0.9f},
             "No reaction: at this temperature H2 + D2 react only when their draw is below K / 4.",
             "4 molecules: 1 H2, 2 HD, 1 D2; picked: molecule 4 (D2) and molecule 1 (H2), no "
             "reaction",
             {"1", "2", "1", "4.00"},
             298.15},
            {{0.8f, 0.0f, 0.1f},
             "They react: the two molecules trade atoms.",
             "4 molecules: 0 H2, 4 HD, 0 D2; picked: molecule 4 (D2) and molecule 1 (H2), they "
             "react",
             {"0", "4", "0", "infinite"},
             298.15},
    };
    FrmMolecules *w = openWindow();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.outcome.toStdString());
        model.setModel(c.kelvin > 0 ? *EquilibriumModel::hydrogenAt(c.kelvin) : EquilibriumModel{});
        setup(Molecules{.h2 = "1", .hd = "2", .d2 = "1"});
        model.scriptDraws(c.draws);
        frm.runMenu().menu_Step->trigger();
        EXPECT_EQ(w->lblOutcome->text(), c.outcome);
        EXPECT_EQ(w->lblStep->text(), StepText::lines(sim.stepLog, '.').constLast());
        EXPECT_EQ(w->picMolecules->accessibleDescription(), c.description);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w->lblCount[i]->text(), c.counts[std::size_t(i)]) << i;
    }
}

// The atoms of a step's reaction trade places in a short animation; a run at
// full speed shows no pair and trades nothing.
TEST_F(MoleculesWindowTest, AtomsTradePlacesAfterAStepButNotAtFullSpeed)
{
    setup(Molecules{.h2 = "1", .hd = "0", .d2 = "1"}); // the first collision reacts
    FrmMolecules *w = openWindow();
    frm.runMenu().menu_Step->trigger();
    EXPECT_TRUE(w->trading());
    EXPECT_EQ(w->picPair->kinds(), (std::vector<std::int8_t>{1, 1}));
    // The atoms set out from each other's places: H2 and D2 still show.
    EXPECT_EQ(kindsSeen(w->picMolecules), (std::vector<int>{0, 2}));
    EXPECT_TRUE(QTest::qWaitFor([w] { return !w->trading(); }, 2 * FrmMolecules::kTradeMs));
    EXPECT_EQ(kindsSeen(w->picMolecules), (std::vector<int>{1, 1}));

    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    bool paired = false, traded = false;
    test::click(frm.CmdCollide,
                {{[&] {
                      paired |= w->picMolecules->ringed().has_value();
                      traded |= w->trading();
                      return sim.nCollisions >= 500;
                  },
                  [&] { QTest::mouseClick(frm.CmdCollide, Qt::LeftButton); }}});
    EXPECT_FALSE(paired);
    EXPECT_FALSE(traded);
    EXPECT_EQ(w->lblStep->text(), "");
}

// Up to 400 molecules are drawn one by one; a larger system is drawn as 400
// in its proportions, and says so.
TEST_F(MoleculesWindowTest, ALargeSystemIsDrawnAsFourHundredInProportion)
{
    const struct
    {
        Molecules system;
        std::array<std::int64_t, 3> drawn;
        QString shown;
    } cases[] = {
            {{.h2 = "200", .hd = "0", .d2 = "200"}, {200, 0, 200}, ""},
            {{.h2 = "200", .hd = "1", .d2 = "200"},
             {200, 1, 199},
             "400 of 401 molecules shown, in the same proportions"},
            {{.h2 = "250000", .hd = "500000", .d2 = "250000"},
             {100, 200, 100},
             "400 of 1000000 molecules shown, in the same proportions"},
    };
    FrmMolecules *w = openWindow();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        setup(c.system);
        EXPECT_EQ(countsOf(kindsSeen(w->picMolecules)), c.drawn);
        EXPECT_EQ(w->lblShown->isVisible(), !c.shown.isEmpty());
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(w->lblShown->text(), c.shown);
        }
    }
    // As the run goes on the 400 follow its proportions.
    test::click(frm.CmdCollide, {test::stopAt(model, frm, 200000)});
    const Composition drawn = sampleCounts({sim.nH2, sim.nHD, sim.nD2});
    EXPECT_EQ(countsOf(kindsSeen(w->picMolecules)),
              (std::array<std::int64_t, 3>{drawn.nH2, drawn.nHD, drawn.nD2}));
    EXPECT_TRUE(w->picMolecules->accessibleDescription().startsWith(
            QString("1000000 molecules: %1 H2, %2 HD, %3 D2; 400 of them shown, in the same "
                    "proportions")
                    .arg(sim.nH2)
                    .arg(sim.nHD)
                    .arg(sim.nD2)));
}

TEST_F(MoleculesWindowTest, SavesThePictureWhereTheUserSays)
{
    setup(Molecules{.h2 = "10", .hd = "0", .d2 = "10"});
    FrmMolecules *w = openWindow();
    script.opened.clear();
    QTemporaryDir dir;
    const QString path = dir.filePath("molecules.png");
    desktop.savePath.clear(); // cancelled
    QTest::mouseClick(w->cmdSavePicture, Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(path.toStdString()));
    desktop.savePath = path;
    QTest::mouseClick(w->cmdSavePicture, Qt::LeftButton);
    QImage saved;
    ASSERT_TRUE(saved.load(path, "PNG"));
    // The picture, the counts and the collision, not the button.
    EXPECT_EQ(saved.size(), w->picMolecules->parentWidget()->size());
    EXPECT_TRUE(script.opened.isEmpty());
}

} // namespace
} // namespace kormix::ui
