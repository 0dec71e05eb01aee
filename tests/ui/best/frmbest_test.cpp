// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The most-probable window as the main window fills it: its columns in
// twips, its captions, and how it opens and closes.
#include "tests/ui/main/mainfixture.h"

#include "ui/common/levelpanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QScreen>

#include <string>

namespace kormix::test {
namespace {

class MostProbableWindowTest : public MainWindowTest
{
protected:
    ui::LevelPanel *panel() const { return frm.bestForm()->FraLevels; }
};

struct Column
{
    double top, height;
};

struct Composition
{
    const char *h2, *d2, *hd;
    Column lin[4]; // H2, HD right half, D2, HD left half
    const char *captions[3];
    const char *qa;
};

TEST_F(MostProbableWindowTest, ColumnsStandOnTheBaseLineScaledToTheWholeSystem)
{
    const Composition cases[] = {
            {"12",
             "8",
             "10",
             {{3273, 1062}, {3450, 885}, {3627, 708}, {3450, 885}},
             {"12 H2", "10 HD (33.33%)", "8 D2"},
             "1.04"},
            {"10",
             "0",
             "0",
             {{1680, 2655}, {4335, 0}, {4335, 0}, {4335, 0}},
             {"10 H2", "0 HD (0.00%)", "0 D2"},
             "infinite"},
    };
    for (const Composition &c : cases) {
        SCOPED_TRACE(std::string(c.h2) + "/" + c.d2 + "/" + c.hd);
        setup(Molecules{.h2 = c.h2, .hd = c.hd, .d2 = c.d2});
        frm.CmdShowBest->click(); // shows the first distribution, the best so far
        ASSERT_NE(frm.bestForm(), nullptr);
        EXPECT_EQ(frm.bestForm()->windowTitle(), "Collision 0");
        for (int i = 0; i < 4; ++i) {
            const ui::PaintedShape &col = panel()->lin(i);
            EXPECT_EQ(col.geometry.top(), c.lin[i].top) << "lin(" << i << ")";
            EXPECT_EQ(col.geometry.height(), c.lin[i].height) << "lin(" << i << ")";
            EXPECT_TRUE(col.visible);
        }
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(panel()->nMolec[k]->text(), c.captions[k]);
        EXPECT_EQ(panel()->Qa->text(), c.qa);
        EXPECT_FALSE(frm.bestForm()->cir(0).visible);
    }
}

TEST_F(MostProbableWindowTest, LogWIsTheDecimalLogarithmOfTheLargestW)
{
    // ln W of 12 H2, 10 HD and 8 D2 is 35.89348: log10 W = 15.588.
    setup(Molecules{.h2 = "12", .hd = "10", .d2 = "8"});
    frm.mostProbable().ShowMostProbable();
    EXPECT_NEAR(sim.lnWBest, 35.893478, 1e-6);
    EXPECT_EQ(frm.logW->text(), "15.588");
}

TEST_F(MostProbableWindowTest, ShowFluctuationsBeforeAnySetupShowsAnEmptySystem)
{
    frm.Check1->click();
    ASSERT_NE(frm.bestForm(), nullptr);
    EXPECT_TRUE(frm.bestForm()->isVisible());
    EXPECT_EQ(frm.CmdShowBest->text(), "Most Probable");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(panel()->lin(i).geometry.height(), 0);
        EXPECT_EQ(panel()->lin(i).geometry.bottom(), 4335);
    }
    EXPECT_EQ(panel()->nMolec[1]->text(), "0 HD (0.00%)");
    EXPECT_EQ(panel()->Qa->text(), "infinite");

    frm.Check1->click();
    EXPECT_TRUE(frm.flags().bBestShown);
    EXPECT_TRUE(script.opened.isEmpty());
}

TEST_F(MostProbableWindowTest, ShowFluctuationsFollowsTheCurrentDistribution)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    click(frm.CmdCollide, {stopAt(1000)});
    // The window shows the most probable distribution and where it was found.
    EXPECT_EQ(frm.bestForm()->windowTitle(), "Collision " + frm.bestcol->text());

    frm.Check1->click();
    EXPECT_EQ(frm.bestForm()->windowTitle(), "Collision " + QString::number(sim.nCollisions));
    EXPECT_EQ(panel()->nMolec[0]->text(), QString::number(sim.nH2) + " H2");
    EXPECT_EQ(panel()->nMolec[2]->text(), QString::number(sim.nD2) + " D2");
    const double currentHeight = sim.nHD * 2655.0 / 30;
    EXPECT_EQ(panel()->lin(1).geometry.height(), currentHeight);

    frm.Check1->click();
    EXPECT_EQ(frm.bestForm()->windowTitle(), "Collision " + frm.bestcol->text());
}

// Counts the events of one kind that reach a widget.
class EventCounter : public QObject
{
public:
    EventCounter(QObject *watched, QEvent::Type type)
        : type_(type)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == type_)
            ++count;
        return false;
    }

private:
    QEvent::Type type_;
};

TEST_F(MostProbableWindowTest, ShowFluctuationsRepaintsOncePerEventServiceNotPerChange)
{
    // As the program runs: events are served at most every few milliseconds.
    model.setServiceInterval(5);
    setup(Molecules{.h2 = "500", .hd = "0", .d2 = "500"});
    frm.Check1->click();
    ASSERT_NE(frm.bestForm(), nullptr);
    EventCounter titles(frm.bestForm(), QEvent::WindowTitleChange);
    EventCounter paints(panel(), QEvent::Paint);
    const std::int64_t changesBefore = sim.nDistFound;

    click(frm.CmdCollide, {stopAt(200000)});

    // About one collision in five changes the distribution, and every change
    // is followed through the model; the screen sees a few hundred pictures
    // a second at most.
    const std::int64_t collisions = sim.nCollisions;
    EXPECT_GT(sim.nDistFound - changesBefore, 0);
    EXPECT_LT(titles.count * 100LL, collisions) << titles.count << " titles";
    EXPECT_LT(paints.count * 100LL, collisions) << paints.count << " paints";
    // Once the loop has ended the window shows where it stands.
    EXPECT_EQ(panel()->nMolec[0]->text(), QString::number(sim.nH2) + " H2");
    EXPECT_EQ(panel()->nMolec[2]->text(), QString::number(sim.nD2) + " D2");
}

TEST_F(MostProbableWindowTest, MostProbableTakesOverAWindowOpenedByShowFluctuations)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    frm.Check1->click();
    ui::FrmBest *opened = frm.bestForm();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(frm.CmdShowBest->text(), "Most Probable");

    frm.CmdShowBest->click();
    EXPECT_EQ(frm.CmdShowBest->text(), "Hide Most Prob");
    EXPECT_EQ(frm.bestForm(), opened);
    frm.CmdShowBest->click();
    EXPECT_EQ(frm.bestForm(), nullptr);
    EXPECT_FALSE(frm.flags().bShowBest);
}

TEST_F(MostProbableWindowTest, OpensBesideTheMainWindowAndARefreshDoesNotMoveIt)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    frm.CmdShowBest->click();
    ui::FrmBest *best = frm.bestForm();
    EXPECT_FALSE(best->frameGeometry().intersects(frm.frameGeometry()));
    EXPECT_EQ(best->frameGeometry().top(), frm.frameGeometry().top());

    best->move(best->pos() + QPoint(5, 7)); // the user moves it
    const QRect where = best->geometry();
    frm.mostProbable().ShowMostProbable();
    EXPECT_EQ(best->geometry(), where);
}

TEST_F(MostProbableWindowTest, WithoutRoomBesideItStandsBelowElseOffTheCommands)
{
    const QRect room = frm.screen()->availableGeometry();
    const int wide = frm.frameGeometry().width();
    // No room on either side: below when there is room below, else over the
    // main window but off every command.
    const QPoint places[] = {{room.left() + 100, room.top()},
                             {room.left() + 100, room.bottom() - frm.frameGeometry().height()}};
    ASSERT_LT(room.width(), wide + 2 * (8 + 165)); // the offscreen screen is narrow enough
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    for (const QPoint &place : places) {
        SCOPED_TRACE(std::to_string(place.x()) + ", " + std::to_string(place.y()));
        frm.move(place);
        frm.CmdShowBest->click();
        ui::FrmBest *best = frm.bestForm();
        ASSERT_NE(best, nullptr);
        const QRect main = frm.frameGeometry();
        const QRect shown = best->frameGeometry();
        EXPECT_TRUE(room.contains(shown));
        if (main.bottom() + 8 + shown.height() <= room.bottom()) {
            EXPECT_EQ(shown.top(), main.bottom() + 1 + 8);
            EXPECT_EQ(shown.left(), main.left());
        }
        for (QWidget *command : std::initializer_list<QWidget *>{frm.CmdSetup,
                                                                 frm.CmdRestart,
                                                                 frm.CmdCollide,
                                                                 frm.CmdShowBest,
                                                                 frm.cmdShow,
                                                                 frm.CmdReviseData,
                                                                 frm.Check1}) {
            const QRect where(command->mapToGlobal(QPoint(0, 0)), command->size());
            EXPECT_FALSE(shown.intersects(where)) << command->objectName().toStdString();
        }
        frm.CmdShowBest->click();
        ASSERT_EQ(frm.bestForm(), nullptr);
    }
}

TEST_F(MostProbableWindowTest, HasNoCloseControlAndAClosingAnywayRunsHideMostProbable)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    frm.CmdShowBest->click();
    QPointer<ui::FrmBest> best = frm.bestForm();
    EXPECT_FALSE(best->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(best->windowFlags() & Qt::CustomizeWindowHint);

    best->close();
    EXPECT_FALSE(frm.flags().bBestShown);
    EXPECT_FALSE(frm.flags().bShowBest);
    EXPECT_EQ(frm.CmdShowBest->text(), "Most Probable");
    EXPECT_EQ(frm.bestForm(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(best.isNull());

    frm.CmdShowBest->click();
    ASSERT_NE(frm.bestForm(), nullptr);
    EXPECT_TRUE(frm.bestForm()->isVisible());
}

} // namespace
} // namespace kormix::test
