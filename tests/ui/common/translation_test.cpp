// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The windows in German: under a German locale the program's translation is
// installed and every window reads German, the core's words included, while
// numbers stay as written and every text still fits its box; under any other
// locale nothing is installed and the windows keep their English texts.
#include "tests/ui/common/allwindows.h"
#include "ui/common/fitlabel.h"
#include "ui/common/levelpanel.h"
#include "ui/common/translation.h"

#include "core/distributionsfile.h"
#include "tests/common/environment.h"
#include "tests/common/files.h"
#ifdef _WIN32
#include "tests/common/heldopen.h"
#endif

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace kormix::test {
namespace {

namespace fs = std::filesystem;

int translators()
{
    return int(qApp->findChildren<QTranslator *>().size());
}

// The translation is installed before any window is made, as the program does.
class GermanTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ui::installTranslations(*qApp, german)); }
    static void TearDownTestSuite()
    {
        ui::removeTranslations(*qApp);
        EXPECT_EQ(translators(), 0);
    }

    static inline const QLocale german{QLocale::German, QLocale::Germany};
};

TEST_F(GermanTest, TheMainWindowsCaptionsAndMenusReadGerman)
{
    AllWindows windows;
    ui::FrmMain &frm = *windows.frm;
    EXPECT_EQ(frm.CmdSetup->text(), "System einrichten");
    EXPECT_EQ(frm.CmdRestart->text(), "Löschen");
    EXPECT_EQ(frm.cmdShow->text(), "Alle Verteilungen");
    EXPECT_EQ(frm.CmdReviseData->text(), "Daten ändern");
    EXPECT_EQ(frm.Check1->text(), "Schwankungen zeigen");
    EXPECT_EQ(frm.Label1->text(), "H2-Moleküle");
    EXPECT_EQ(frm.Label3->text(), "Reaktionsquotient Q:");
    EXPECT_EQ(frm.Label7->text(), "Anzahl der Stöße:");
    EXPECT_EQ(frm.menu_file->title(), "&Datei");
    EXPECT_EQ(frm.menu_Exit->text(), "&Beenden");
    EXPECT_EQ(frm.helpMenu().menu_help->title(), "&Hilfe");
    EXPECT_EQ(frm.helpMenu().menu_Guide->text(), "Kormix-&Anleitung");
    EXPECT_EQ(frm.helpMenu().menu_About->text(), "&Über Kormix");
    // A value is described by its caption as the window shows it.
    EXPECT_EQ(frm.ncollide->accessibleDescription(), "Anzahl der Stöße:");

    // The set-up system, with the most-probable window open beside it.
    EXPECT_EQ(frm.status->text(), "System eingerichtet");
    EXPECT_EQ(frm.CmdCollide->text(), "Stöße starten");
    EXPECT_EQ(frm.CmdShowBest->text(), "Ausblenden");
    EXPECT_EQ(frm.bestForm()->windowTitle(), "Stoß 0");
    EXPECT_EQ(frm.bestForm()->FraLevels->nMolec[1]->text(), "0 HD (0.00 %)");
    EXPECT_EQ(frm.bestForm()->FraLevels->accessibleName(), "Säulen der Zusammensetzung");

    EXPECT_EQ(frm.setupForm()->windowTitle(), "System einrichten");
    EXPECT_EQ(frm.setupForm()->OptBy[1]->text(), "als Atome");
    EXPECT_EQ(windows.display->windowTitle(), "Ausführliche Anzeige des Systems");
    EXPECT_EQ(windows.display->title->text(), "Theoretische Wahrscheinlichkeiten");
    EXPECT_EQ(windows.display->cmdExit->text(), "fertig");
    EXPECT_EQ(windows.revise->windowTitle(), "Daten ändern");
    EXPECT_EQ(windows.revise->Command1->text(), "Äquilibrieren");
}

TEST_F(GermanTest, TheCoresWordsAreTranslatedWhenWrittenAndNumbersStayAsTheyAre)
{
    AllWindows windows;
    ui::FrmMain &frm = *windows.frm;
    const std::pair<const char *, const char *> written[] = {
            {"needs setup", "nicht eingerichtet"},
            {"running", "läuft"},
            {"running in turbo mode", "läuft im Turbomodus"},
            {"Setup Complete", "System eingerichtet"},
            {"?", "?"},
            {"infinite", "unendlich"},
            {"most prob", "nur wahrsch."},
            {"1200", "1200"},
            {"-1", "-1"},
            {"3.37E+932651093", "3.37E+932651093"},
            {"4,50", "4,50"},
            {"", ""},
    };
    for (const auto &[core, shown] : written) {
        SCOPED_TRACE(core);
        EXPECT_EQ(ui::coreText(core), QString::fromUtf8(shown));
    }

    // As the run writes them: while collisions run a text waits for the next
    // event service and is translated then.
    EXPECT_EQ(frm.status->text(), "System eingerichtet");
    windows.model.setServiceInterval(0);
    bool checked = false;
    test::click(frm.CmdCollide,
                {{[&] { return windows.sim.running(); },
                  [&] {
                      EXPECT_EQ(frm.status->text(), "läuft");
                      checked = true;
                      QTest::mouseClick(frm.CmdCollide, Qt::LeftButton);
                  }}});
    EXPECT_TRUE(checked);
    frm.setupForm()->hide(); // shown by AllWindows; Setup shows it modally
    windows.script.then(fillSetup(Molecules{.h2 = "10", .hd = "0", .d2 = "0"}));
    frm.CmdSetup->click();
    EXPECT_EQ(frm.Qa->text(), "unendlich");
    // The start closed the most-probable window (it toggles): open it again.
    if (!frm.bestForm())
        frm.CmdShowBest->click();
    ASSERT_NE(frm.bestForm(), nullptr);

    // A level panel's Q of a system without D2.
    windows.frm->bestForm()->FraLevels->showDistribution({4, 2, 0, 0}, 6, '.');
    EXPECT_EQ(windows.frm->bestForm()->FraLevels->Qa->text(), "unendlich");
    EXPECT_EQ(windows.frm->bestForm()->FraLevels->accessibleDescription(),
              "4 H2, 2 HD, 0 D2, Q = unendlich");
}

TEST_F(GermanTest, TheMessagesReadGerman)
{
    ui::RunModel model;
    QuietDesktop desktop;
    ui::FrmMain frm(model, desktop.desktop());
    frm.show();
    ModalScript script;
    // Start before any setup.
    frm.CmdCollide->click();
    ASSERT_EQ(script.opened.size(), 1);
    EXPECT_EQ(script.opened[0],
              "Mit diesen Daten geht es nicht weiter – bitte „System einrichten“ verwenden");
    frm.cmdShow->click();
    ASSERT_EQ(script.opened.size(), 2);
    EXPECT_EQ(script.opened[1], "Keine Verteilungen zum Anzeigen");
}

TEST_F(GermanTest, TheExportMessagesReadGerman)
{
    ExportResult written;
    written.ok = true;
    written.path = "/tmp/kormix-1000/distributions.xls";
    EXPECT_EQ(ui::FrmDisplay::exportMessage(written),
              "Die Datei /tmp/kormix-1000/distributions.xls wurde erstellt");

    ExportResult refused;
    refused.outcome = ExportResult::Outcome::DirectoryOpenToOthers;
    refused.path = "/tmp/kormix-1000/distributions.xls";
    refused.directory = "/tmp/kormix-1000";
    EXPECT_EQ(ui::FrmDisplay::exportMessage(refused),
              "/tmp/kormix-1000/distributions.xls kann nicht geschrieben werden: /tmp/kormix-1000 "
              "ist für andere Benutzer zugänglich");

    ExportResult failed;
    failed.outcome = ExportResult::Outcome::FailedWriting;
    failed.path = "/tmp/kormix-1000/distributions.xls";
    failed.systemError = "No space left on device";
    EXPECT_EQ(ui::FrmDisplay::exportMessage(failed),
              "No space left on device beim Schreiben von /tmp/kormix-1000/distributions.xls");
}

// Qt's own texts (a field's context menu, standard buttons) come from the
// system's Qt translations, installed with the program's own.
TEST_F(GermanTest, QtsOwnTextsReadGermanWhereTheSystemHasThem)
{
    const QString qtbase = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    if (!QFile::exists(qtbase))
        GTEST_SKIP() << "no " << qtbase.toStdString() << " (Debian's qt6-translations-l10n)";
    EXPECT_EQ(translators(), 2);
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), "&Rückgängig");
}

// The room a button leaves for its caption.
QRect captionRoom(const QAbstractButton *b)
{
    QStyleOptionButton option;
    option.initFrom(b);
    const QStyle::SubElement contents = qobject_cast<const QPushButton *>(b)
                                                ? QStyle::SE_PushButtonContents
                                        : qobject_cast<const QCheckBox *>(b)
                                                ? QStyle::SE_CheckBoxContents
                                                : QStyle::SE_RadioButtonContents;
    return b->style()->subElementRect(contents, &option, b);
}

double advance(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

TEST_F(GermanTest, EveryGermanTextFitsItsBoxAndStaysReadable)
{
    AllWindows windows;
    ui::FrmMain &frm = *windows.frm;
    // The longest German texts the windows come to show.
    frm.status->setText(ui::coreText("running in turbo mode"));
    frm.NumDistros->setText(ui::coreText("most prob"));
    frm.Qa->setText(ui::coreText("infinite"));
    frm.CmdCollide->setText(ui::FrmMain::tr("Restart Collisions"));
    windows.frm->bestForm()->FraLevels->showDistribution({0, 20, 0, 0}, 20, ',');
    windows.display->title->setText(ui::FrmDisplay::tr("Actual Frequencies"));
    frm.setupForm()->SetEntryMode(false); // the atom fields' captions show
    QCoreApplication::processEvents();

    int texts = 0;
    const auto checkAll = [&] {
        for (QWidget *w : windows.windows()) {
            for (QWidget *child : w->findChildren<QWidget *>()) {
                if (!dynamic_cast<ui::FittedText *>(child) || !child->isVisibleTo(w))
                    continue;
                QString text;
                qreal room = 0;
                if (auto *label = qobject_cast<QLabel *>(child)) {
                    text = label->text();
                    room = label->contentsRect().width();
                } else if (auto *button = qobject_cast<QAbstractButton *>(child)) {
                    text = button->text();
                    room = captionRoom(button).width();
                }
                if (text.trimmed().isEmpty())
                    continue;
                ++texts;
                const std::string name = (child->window()->objectName() + " " + child->objectName()
                                          + " \"" + text + "\"")
                                                 .toStdString();
                const QFont shown = ui::shownFont(child);
                EXPECT_LE(advance(shown, text), room) << name;
                // Shrunk a little at most: the German texts were chosen to fit.
                const double own = child->font().pixelSize();
                EXPECT_GE(shown.pixelSize(), own * 0.75)
                        << name << ": " << shown.pixelSize() << " px of " << own;
            }
        }
    };
    checkAll();
    // The commands' other captions.
    frm.CmdCollide->setText(ui::FrmMain::tr("Stop Collisions"));
    frm.CmdShowBest->setText(ui::FrmMain::tr("Most Probable"));
    checkAll();
    EXPECT_GT(texts, 100);

    // The frames' captions are drawn whole inside their frames.
    for (QWidget *w : windows.windows()) {
        for (const QGroupBox *frame : w->findChildren<QGroupBox *>()) {
            if (frame->title().isEmpty())
                continue;
            EXPECT_LT(advance(frame->font(), frame->title()) + 12, frame->width())
                    << frame->title().toStdString();
        }
    }
}

// Under any locale without a translation of the program, nothing is
// installed and the windows keep their English texts.
TEST(OtherLocales, InstallNothingAndTheWindowsStayEnglish)
{
    ASSERT_EQ(translators(), 0);
    for (const QLocale &locale : {QLocale(QLocale::French, QLocale::France),
                                  QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::English, QLocale::UnitedKingdom),
                                  QLocale(QLocale::Dutch, QLocale::Netherlands),
                                  QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_FALSE(ui::installTranslations(*qApp, locale));
        EXPECT_EQ(translators(), 0);
    }
    ui::RunModel model;
    test::QuietDesktop desktop;
    ui::FrmMain frm(model, desktop.desktop());
    EXPECT_EQ(frm.CmdSetup->text(), "Setup System");
    EXPECT_EQ(frm.menu_file->title(), "&File");
    EXPECT_EQ(frm.status->text(), "needs setup");
    EXPECT_EQ(ui::coreText("infinite"), "infinite");
}

// German of every country is German; installing it twice and removing it
// leaves the program English again.
TEST(OtherLocales, GermanOfAustriaAndSwitzerlandIsGermanAndRemovingItRestoresEnglish)
{
    for (const QLocale &locale : {QLocale(QLocale::German, QLocale::Austria),
                                  QLocale(QLocale::German, QLocale::Switzerland)}) {
        SCOPED_TRACE(locale.name().toStdString());
        ASSERT_TRUE(ui::installTranslations(*qApp, locale));
        EXPECT_EQ(ui::FrmMain::tr("Setup System"), "System einrichten");
        ui::removeTranslations(*qApp);
        EXPECT_EQ(translators(), 0);
        EXPECT_EQ(ui::FrmMain::tr("Setup System"), "Setup System");
    }
}

// In English the window words an export exactly as the core does.
TEST(ExportMessages, InEnglishAreTheExportsOwnMessages)
{
    ASSERT_EQ(translators(), 0);
    const fs::path scratch = fs::path(::testing::TempDir()) / "kormix-translation-test";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    Simulation sim;

    std::vector<ExportResult> results;
    results.push_back(ExportDistributions(sim, scratch / "distributions.xls"));
    EXPECT_TRUE(results.back().ok);
    // A plain file where the directory should be.
    test::writeAll(scratch / "plain", "");
    results.push_back(ExportDistributions(sim, scratch / "plain" / "distributions.xls"));
    // A directory where the file should be.
    fs::create_directories(scratch / "taken" / "distributions.xls" / "sub");
    results.push_back(ExportDistributions(sim, scratch / "taken" / "distributions.xls"));

    // The private place, with something wrong there each time and no other
    // folder of the user's to go to (Windows has no private place: the file
    // goes to C:\temp).
#ifndef _WIN32
    ScopedEnvironment environment;
    environment.set("TMPDIR", scratch.string());
    environment.unset("XDG_RUNTIME_DIR");
    environment.unset("HOME");
    const fs::path place = distributionsFilePath().parent_path();
    fs::create_directory(place);
    fs::permissions(place, fs::perms::owner_all | fs::perms::others_exec);
    results.push_back(ExportDistributions(sim));
    fs::remove_all(place);
    test::writeAll(place, "");
    results.push_back(ExportDistributions(sim));
    fs::remove(place);
    fs::create_directory_symlink(scratch, place);
    results.push_back(ExportDistributions(sim));
#else
    // A file that another program holds open, which Windows refuses to replace.
    test::writeAll(scratch / "held.xls", "previous");
    {
        const HeldOpen excel(scratch / "held.xls");
        results.push_back(ExportDistributions(sim, scratch / "held.xls"));
    }
#endif

    std::set<ExportResult::Outcome> outcomes;
    for (const ExportResult &result : results) {
        SCOPED_TRACE(result.message);
        outcomes.insert(result.outcome);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(ui::FrmDisplay::exportMessage(result), QString::fromStdString(result.message));
    }
    EXPECT_EQ(outcomes.size(), results.size());
    fs::remove_all(scratch);
}

} // namespace
} // namespace kormix::test
