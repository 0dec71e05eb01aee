// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// File, Save Workbook through the real main window: the run's distributions,
// the equilibrium window's compositions while it is open, a cancelled
// question, and a failure told to the user.
#include "tests/ui/main/mainfixture.h"

#include "core/distributionsfile.h"
#include "tests/common/files.h"
#include "tests/common/xlsxreader.h"
#include "ui/main/viewmenu.h"

#include <QAction>

#include <filesystem>
#include <set>

namespace kormix::test {
namespace {

namespace fs = std::filesystem;

class SaveWorkbook : public MainWindowTest
{
protected:
    SaveWorkbook()
    {
        dir = scratchFolder("kormix-ui-workbook");
        desktop.savePath = QString::fromStdU16String((dir / "run.xlsx").u16string());
    }
    ~SaveWorkbook() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string part(const std::string &name)
    {
        return zipEntry(readAll(dir / "run.xlsx"), name).value_or("");
    }
    // The rows of a sheet that hold a cell.
    std::size_t rows(int sheet)
    {
        std::set<int> seen;
        for (const auto &[place, cell] :
             sheetCells(part("xl/worksheets/sheet" + std::to_string(sheet) + ".xml"),
                        part("xl/sharedStrings.xml")))
            seen.insert(place.first);
        return seen.size();
    }

    fs::path dir;
};

TEST_F(SaveWorkbook, HoldsTheRunAndTheOpenEquilibriumWindowsCompositions)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    click(frm.CmdCollide, {stopAt(2000)});
    ASSERT_GT(sim.nStored, 3);
    const qsizetype modals = script.opened.size();

    frm.menu_Workbook->trigger();
    EXPECT_EQ(rows(1), std::size_t(sim.nStored) + 1);
    EXPECT_EQ(part("xl/worksheets/sheet2.xml"), "");
    EXPECT_NE(part("xl/workbook.xml").find(R"(<sheet name="Distributions")"), std::string::npos);

    frm.viewMenu().menu_Equilibrium->trigger();
    ASSERT_NE(frm.equilibriumForm(), nullptr);
    frm.menu_Workbook->trigger();
    EXPECT_EQ(rows(1), std::size_t(sim.nStored) + 1);
    // 40 H and 20 D atoms: 0, 2, ... 20 HD (11 compositions), and the line of all others.
    EXPECT_EQ(rows(2), 1u + 11u + 1u);
    EXPECT_NE(part("xl/workbook.xml").find(R"(<sheet name="Compositions")"), std::string::npos);
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(script.opened.size(), modals); // success is told by nothing
}

TEST_F(SaveWorkbook, ACancelledQuestionWritesNothingAndAFailureIsTold)
{
    setup(Molecules{.h2 = "20", .hd = "0", .d2 = "10"});
    desktop.savePath.clear();
    frm.menu_Workbook->trigger();
    EXPECT_TRUE(fs::is_empty(dir));

    writeAll(dir / "file", "a file, not a folder");
    const fs::path blocked = dir / "file" / "run.xlsx";
    desktop.savePath = QString::fromStdU16String(blocked.u16string());
    const QStringList before = script.opened;
    frm.menu_Workbook->trigger();
    ASSERT_EQ(script.opened.size(), before.size() + 1);
    EXPECT_TRUE(script.opened.last().endsWith(" opening " + QString::fromStdString(pathText(blocked))))
            << script.opened.last().toStdString();
}

} // namespace
} // namespace kormix::test
