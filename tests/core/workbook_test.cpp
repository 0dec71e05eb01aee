// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The workbook read back: every cell against the text files the program
// writes of the same run, the chart's ranges, the header's bold and the
// columns' widths.
#include "core/workbook.h"

#include "core/distributionsfile.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "tests/common/files.h"
#include "tests/common/xlsxreader.h"
#include "tests/core/fakehost.h"
#ifndef _WIN32
#include "tests/common/germannumbers.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

namespace kormix {
namespace {

namespace fs = std::filesystem;
using test::CellPlace;
using test::SheetCell;

std::vector<std::vector<std::string>> fieldsOf(const std::string &text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t')) {
            field.erase(0, field.find_first_not_of(' ')); // " 1 " is the file's 1
            field.erase(field.find_last_not_of(' ') + 1);
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

// A number's text read whatever the C library's locale says.
double numberIn(const std::string &text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The value of a unit in the last digit of a number's text.
double lastDigitUnit(const std::string &text)
{
    const std::size_t e = text.find_first_of("Ee");
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const int decimals = point == std::string::npos ? 0 : int(mantissa.size() - point - 1);
    const int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
    return std::pow(10.0, exponent - decimals);
}

// The text files round to 15 significant digits (W to fewer), the sheet to
// 16 or more: the two texts must lie within half a unit of their last digits
// of each other.
::testing::AssertionResult sameNumber(const std::string &text, const std::string &cell)
{
    const double difference = std::abs(numberIn(cell) - numberIn(text));
    if (difference <= 0.5 * (lastDigitUnit(text) + lastDigitUnit(cell)) * (1 + 1e-12))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cell " << cell << " is not the file's " << text;
}

class Workbook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::scratchFolder("kormix-workbook");
        path = dir / "distributions.xlsx";
        test::startSeeded(sim, host, "20", "0", "20", 5);
        test::runFor(sim, host, 3000);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::string part(const std::string &name)
    {
        const std::optional<std::string> content = test::zipEntry(test::readAll(path), name);
        EXPECT_TRUE(content) << name;
        return content.value_or("");
    }
    std::map<CellPlace, SheetCell> sheet(int n)
    {
        return test::sheetCells(part("xl/worksheets/sheet" + std::to_string(n) + ".xml"),
                                part("xl/sharedStrings.xml"));
    }
    std::optional<std::vector<CompositionLine>> compositions()
    {
        const ExactDistribution exact = exactDistribution(2 * sim.nH2 + sim.nHD,
                                                          2 * sim.nD2 + sim.nHD);
        return compositionLines(exact, sim.observed.sharesUpTo(sim.nHD, sim.nCollisions));
    }

    // Every field of the text file in its cell: texts as texts, numbers as
    // numbers; an empty field has no cell; nothing else is in the sheet.
    void expectSheetIsText(const std::map<CellPlace, SheetCell> &cells, const std::string &text)
    {
        const auto rows = fieldsOf(text);
        std::size_t filled = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const std::string &field = rows[r][c];
                const auto found = cells.find({int(r), int(c)});
                if (field.empty()) {
                    EXPECT_EQ(found, cells.end()) << r << "," << c;
                    continue;
                }
                ++filled;
                ASSERT_NE(found, cells.end()) << r << "," << c << ": " << field;
                const bool number = r > 0
                                    && field.find_first_not_of("0123456789.E+-")
                                               == std::string::npos;
                EXPECT_EQ(found->second.isText, !number) << r << "," << c << ": " << field;
                if (number)
                    EXPECT_TRUE(sameNumber(field, found->second.value)) << r << "," << c;
                else
                    EXPECT_EQ(found->second.value, field) << r << "," << c;
            }
        }
        EXPECT_EQ(cells.size(), filled);
    }

    fs::path dir, path;
    test::FakeHost host;
    Simulation sim{&host};
};

TEST_F(Workbook, DistributionsSheetHoldsTheFilesNumbers)
{
    ASSERT_GT(sim.nStored, 5);
    const ExportResult result = writeWorkbook(path, sim, std::nullopt);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.message, "File " + pathText(path) + " was created");
    expectSheetIsText(sheet(1), distributionsText(sim));
    EXPECT_FALSE(test::zipEntry(test::readAll(path), "xl/worksheets/sheet2.xml"));
}

#ifndef _WIN32
TEST_F(Workbook, NumbersKeepTheirPointUnderAGermanLocale)
{
    test::GermanNumbers german;
    ASSERT_TRUE(german.active()) << test::GermanNumbers::kMissing;
    ASSERT_TRUE(writeWorkbook(path, sim, compositions()).ok);
    expectSheetIsText(sheet(1), distributionsText(sim));
}
#endif

#ifndef _WIN32
// LibreOffice Calc reads the same numbers: its CSV of the distributions sheet
// against the workbook's cells and the distributions file. Without LibreOffice (Debian's
// libreoffice-calc-nogui, too large for every machine) the test is skipped.
TEST_F(Workbook, ReadsBackEqualInLibreOffice)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no soffice: install libreoffice-calc-nogui for this comparison";
    ASSERT_TRUE(writeWorkbook(path, sim, compositions()).ok);
    const std::string command = "HOME='" + dir.string()
                                + "' soffice --headless --convert-to csv --outdir '" + dir.string()
                                + "' '" + path.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::string csv = test::readAll(dir / "distributions.csv");
    std::replace(csv.begin(), csv.end(), ',', '\t');
    // Calc shows 15 digits of what the sheet holds, and the sheet holds the
    // file's numbers (above): each of Calc's numbers against the sheet's and
    // the file's.
    const auto file = fieldsOf(distributionsText(sim));
    const auto calc = fieldsOf(csv);
    const auto cells = sheet(1);
    ASSERT_EQ(calc.size(), file.size());
    for (std::size_t r = 1; r < file.size(); ++r) {
        ASSERT_EQ(calc[r].size(), file[r].size()) << r;
        for (std::size_t c = 0; c < file[r].size(); ++c) {
            const std::string &stored = cells.at({int(r), int(c)}).value;
            EXPECT_TRUE(sameNumber(calc[r][c], stored)) << r << "," << c;
            EXPECT_TRUE(sameNumber(file[r][c], stored)) << r << "," << c;
        }
    }
}
#endif

#ifdef _WIN32
// A temporary folder whose name the ANSI code page cannot write, as a user's
// folder under C:\Users may be: the library's own file opens all the same.
TEST_F(Workbook, ATemporaryFolderOfAnyNameServes)
{
    const fs::path temp = dir / u8"Ελληνικά";
    fs::create_directories(temp);
    const wchar_t *old = _wgetenv(L"TMP");
    const std::wstring previous = old ? old : L"";
    _wputenv_s(L"TMP", temp.wstring().c_str());
    const ExportResult result = writeWorkbook(path, sim, std::nullopt);
    _wputenv_s(L"TMP", previous.c_str());
    ASSERT_TRUE(result.ok) << result.message;
    expectSheetIsText(sheet(1), distributionsText(sim));
}
#endif

TEST_F(Workbook, CompositionsSheetHoldsTheTablesNumbers)
{
    const auto lines = compositions();
    ASSERT_TRUE(writeWorkbook(path, sim, lines).ok);
    const ExactDistribution exact = exactDistribution(2 * sim.nH2 + sim.nHD, 2 * sim.nD2 + sim.nHD);
    expectSheetIsText(sheet(2),
                      compositionsTable(exact, sim.observed.sharesUpTo(sim.nHD, sim.nCollisions)));
}

TEST_F(Workbook, BoldHeaderFittingColumnsAndTheChartsRanges)
{
    WorkbookTexts texts;
    texts.distributionsSheet = "Verteilungen";
    ASSERT_TRUE(writeWorkbook(path, sim, std::nullopt, texts).ok);
    const auto cells = sheet(1);
    const std::string styles = part("xl/styles.xml");
    EXPECT_NE(styles.find("<b/>"), std::string::npos);
    std::vector<std::size_t> longest(std::size(kDistributionsHeader));
    for (const auto &[place, cell] : cells) {
        EXPECT_EQ(cell.style != 0, place.first == 0) << place.first << "," << place.second;
        const std::size_t shown = cell.isText ? cell.value.size()
                                              : numberToText(numberIn(cell.value)).size();
        longest.at(std::size_t(place.second)) = std::max(longest[std::size_t(place.second)], shown);
    }
    const std::string xml = part("xl/worksheets/sheet1.xml");
    const std::regex col(R"re(<col min="([0-9]+)" max="[0-9]+" width="([0-9.]+)")re");
    int columns = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), col); it != std::sregex_iterator();
         ++it, ++columns)
        EXPECT_GE(std::stod((*it)[2]), double(longest.at(std::size_t(std::stoi((*it)[1]) - 1))));
    EXPECT_EQ(columns, 11);

    const std::string chart = part("xl/charts/chart1.xml");
    const std::string last = std::to_string(sim.nStored + 1);
    for (const char *column : {"$E$", "$H$", "$K$"})
        EXPECT_NE(chart.find(std::string("<c:f>Verteilungen!") + column + "2:" + column + last),
                  std::string::npos)
                << column;
    // The %HD axis spans 0 to 100, as the percentages can.
    EXPECT_NE(chart.find(R"(<c:max val="100"/><c:min val="0"/>)"), std::string::npos);
}

TEST_F(Workbook, AFailureSaysSoAndKeepsTheOldFile)
{
    test::writeAll(path, "old");
    const fs::path blocked = dir / "file" / "distributions.xlsx";
    test::writeAll(dir / "file", "a file, not a folder");
    const ExportResult result = writeWorkbook(blocked, sim, std::nullopt);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedOpening);
    EXPECT_EQ(test::readAll(path), "old");
}

} // namespace
} // namespace kormix
