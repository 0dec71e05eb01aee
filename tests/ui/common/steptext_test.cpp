// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The step log in words: every kind of collision, the program's decimal
// separator, and the same facts in German under the German translation.
#include "ui/common/steptext.h"
#include "ui/common/translation.h"

#include "core/equilibrium/model.h"
#include "core/simulation.h"
#include "tests/core/fakehost.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <ostream>

// Failure messages show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kormix::ui {
namespace {

// 1 H2, 2 HD and 1 D2: molecule 1 is the H2, 2 and 3 are HD, 4 is the D2.
// W = 4! / (1! 2! 1!) * 2^2 = 48.
class StepTextTest : public ::testing::Test
{
protected:
    StepTextTest()
    {
        host.byMolecules("1", "2", "1");
        sim.SetupSystem();
        sim.BeginCollisions();
        sim.stepLog.setRecording(true);
    }
    // Every kind of collision: H2 + D2, HD + HD with the coin above one half
    // and at exactly one half, H2 + HD.
    void stepThroughEveryKind()
    {
        sim.rng.script({0.0f, 0.8f, 0.0f, 0.3f, 0.75f, 0.3f, 0.6f, 0.5f, 0.0f, 0.0f, 0.3f});
        sim.runCollisionsFor(4);
        ASSERT_EQ(sim.rng.scriptedLeft(), 0u);
    }
    test::FakeHost host;
    Simulation sim{&host};
};

TEST_F(StepTextTest, EveryKindOfCollisionInWords)
{
    stepThroughEveryKind();
    EXPECT_EQ(StepText::lines(sim.stepLog, '.'),
              QStringList(
                      {"1. molecule 1 (H2) met molecule 4 (D2): they reacted to 2 HD; W 48 -> 16",
                       "2. molecule 1 (HD) met molecule 2 (HD): coin 0.75 above 0.5, they reacted "
                       "to H2 + D2; W 16 -> 48",
                       "3. molecule 4 (HD) met molecule 3 (HD): coin 0.5 not above 0.5, nothing "
                       "changed; W 48 -> 48",
                       "4. molecule 1 (H2) met molecule 4 (HD): nothing changed; W 48 -> 48"}));
}

TEST_F(StepTextTest, WordsWithTheProgramsDecimalSeparator)
{
    sim.rng.script({0.3f, 0.6f, 0.50000006f});
    sim.runCollisionsFor(1);
    EXPECT_EQ(StepText::lines(sim.stepLog, ','),
              QStringList{"1. molecule 2 (HD) met molecule 3 (HD): coin 0,50000006 above 0,5, they "
                          "reacted to H2 + D2; W 48 -> 6"});
}

TEST_F(StepTextTest, GermanUnderTheGermanTranslation)
{
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    stepThroughEveryKind();
    const QStringList lines = StepText::lines(sim.stepLog, ',');
    removeTranslations(*qApp);
    EXPECT_EQ(lines,
              QStringList(
                      {"1. Molekül 1 (H2) traf Molekül 4 (D2): sie reagierten zu 2 HD; W 48 -> 16",
                       "2. Molekül 1 (HD) traf Molekül 2 (HD): Münze 0,75 über 0,5, sie "
                       "reagierten zu H2 + D2; W 16 -> 48",
                       "3. Molekül 4 (HD) traf Molekül 3 (HD): Münze 0,5 nicht über 0,5, nichts "
                       "geändert; W 48 -> 48",
                       "4. Molekül 1 (H2) traf Molekül 4 (HD): nichts geändert; W 48 -> 48"}));
}

// At a temperature an H2 + D2 pair draws once more and reacts below K / 4.
TEST_F(StepTextTest, TheAcceptanceDrawAtATemperature)
{
    const auto model = EquilibriumModel::hydrogenAt(298.15);
    ASSERT_TRUE(model);
    sim.setModel(*model);
    const float below = float(model->accepting()) * 0x1.0p-24f;
    sim.rng.script({0.0f, 0.8f, below, 0.0f, 0.8f, 0.5f});
    sim.runCollisionsFor(2);
    ASSERT_EQ(sim.rng.scriptedLeft(), 0u);
    EXPECT_EQ(StepText::lines(sim.stepLog, '.'),
              QStringList({"1. molecule 1 (H2) met molecule 4 (D2): draw 0.81487185 not below "
                           "0.81487185, nothing changed; W 48 -> 48",
                           "2. molecule 1 (H2) met molecule 4 (D2): draw 0.5 below 0.81487185, "
                           "they reacted to 2 HD; W 48 -> 16"}));
}

} // namespace
} // namespace kormix::ui
