// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/workbook.h"

#include "core/distributionsfile.h"
#include "core/numberformat.h"
#include "core/simulation.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <variant>

#ifndef _WIN32
#include <clocale>
#include <locale.h>
#endif

namespace kormix {

namespace fs = std::filesystem;

namespace {

// A cell: empty, a number or a text.
using Cell = std::variant<std::monostate, double, std::string>;
using Row = std::vector<Cell>;

// W itself where a double holds it, else its text.
Cell wCell(double lnW)
{
    const double w = std::exp(lnW);
    return std::isfinite(w) ? Cell(w) : Cell(FormatW(lnW));
}

std::vector<Row> distributionRows(const Simulation &sim)
{
    std::vector<Row> rows;
    for (const DistributionLine &l : distributionLines(sim))
        rows.push_back({double(l.position),
                        double(l.nH2),
                        double(l.nD2),
                        double(l.nHD),
                        l.percentHD,
                        l.lnW,
                        wCell(l.lnW),
                        l.p,
                        l.pRel,
                        double(l.freq),
                        l.pFromFreq});
    return rows;
}

std::vector<Row> compositionRows(const std::vector<CompositionLine> &lines)
{
    std::vector<Row> rows;
    for (const CompositionLine &l : lines) {
        if (l.others) {
            rows.push_back({std::string(kOtherCompositionsName),
                            {},
                            {},
                            {},
                            {},
                            {},
                            0.0,
                            double(l.collisions),
                            l.share});
            continue;
        }
        rows.push_back({double(l.counts.nH2),
                        double(l.counts.nHD),
                        double(l.counts.nD2),
                        l.percentHD,
                        l.lnW,
                        wCell(l.lnW),
                        l.p,
                        double(l.collisions),
                        l.share});
    }
    return rows;
}

// The characters a cell shows: numbers as the text files write them.
std::size_t shownLength(const Cell &cell)
{
    if (const double *v = std::get_if<double>(&cell))
        return numberToText(*v).size();
    if (const std::string *s = std::get_if<std::string>(&cell))
        return s->size();
    return 0;
}

// A sheet of the header in bold and the rows below it, each column as wide
// as its longest text and two characters more.
lxw_worksheet *addSheet(lxw_workbook *book,
                        const std::string &name,
                        std::span<const char *const> header,
                        const std::vector<Row> &rows)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, name.c_str());
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    for (std::size_t c = 0; c < header.size(); ++c) {
        const auto col = lxw_col_t(c);
        std::size_t width = std::string(header[c]).size();
        worksheet_write_string(sheet, 0, col, header[c], bold);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Cell &cell = rows[r][c];
            const auto row = lxw_row_t(r + 1);
            if (const double *v = std::get_if<double>(&cell))
                worksheet_write_number(sheet, row, col, *v, nullptr);
            else if (const std::string *s = std::get_if<std::string>(&cell))
                worksheet_write_string(sheet, row, col, s->c_str(), nullptr);
            width = std::max(width, shownLength(cell));
        }
        worksheet_set_column(sheet, col, col, double(width + 2), nullptr);
    }
    return sheet;
}

// Columns of the distributions sheet the chart reads.
constexpr lxw_col_t kPercentHDColumn = 4;
constexpr lxw_col_t kPColumn = 7;
constexpr lxw_col_t kPFromFreqColumn = 10;

void addChart(lxw_workbook *book, lxw_worksheet *sheet, const WorkbookTexts &texts, std::size_t rows)
{
    lxw_chart *chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    const char *name = texts.distributionsSheet.c_str();
    const auto last = lxw_row_t(rows);
    for (const auto &[column, title] :
         {std::pair{kPColumn, &texts.theoretical}, std::pair{kPFromFreqColumn, &texts.observed}}) {
        lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(series, name, 1, kPercentHDColumn, last, kPercentHDColumn);
        chart_series_set_values(series, name, 1, column, last, column);
        chart_series_set_name(series, title->c_str());
    }
    chart_title_set_name(chart, texts.chartTitle.c_str());
    chart_axis_set_name(chart->x_axis, "%HD");
    // %HD runs from 0 to 100 whatever the run found; a spreadsheet left to
    // itself would stretch the axis to 120.
    chart_axis_set_min(chart->x_axis, 0);
    chart_axis_set_max(chart->x_axis, 100);
    chart_axis_set_name(chart->y_axis, "P");
    lxw_chart_options placement{};
    placement.x_scale = 1.5;
    placement.y_scale = 1.5;
    worksheet_insert_chart_opt(sheet,
                               1,
                               lxw_col_t(std::size(kDistributionsHeader) + 1),
                               chart,
                               &placement);
}

#ifndef _WIN32
// Debian's libxlsxwriter prints its numbers with printf, which follows the
// user's LC_NUMERIC (Qt sets the locale from the environment): under a German
// locale 0.5 would reach the XML as "0,5". The thread reads numbers the C way
// while the workbook is written. (The Windows build prints them with its own
// code instead.)
class CNumbers
{
public:
    CNumbers()
        : c_(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE)))
        , old_(c_ ? uselocale(c_) : nullptr)
    {}
    ~CNumbers()
    {
        if (c_) {
            uselocale(old_);
            freelocale(c_);
        }
    }
    CNumbers(const CNumbers &) = delete;
    CNumbers &operator=(const CNumbers &) = delete;

private:
    locale_t c_;
    locale_t old_;
};
#else
struct CNumbers
{};
#endif

// A name for the library's own file in the system's temporary folder.
fs::path scratchPath(std::error_code &ec)
{
    const fs::path dir = fs::temp_directory_path(ec);
    std::random_device random;
    const auto tag = (std::uint64_t(random()) << 32) ^ random();
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(tag));
    return dir / ("kormix-" + std::string(hex) + ".xlsx");
}

// Has the library write the workbook to `scratch`; its error, or LXW_NO_ERROR.
lxw_error buildWorkbook(const fs::path &scratch,
                        const Simulation &sim,
                        const std::optional<std::vector<CompositionLine>> &compositions,
                        const WorkbookTexts &texts)
{
    [[maybe_unused]] const CNumbers cNumbers;
    const std::u8string name = scratch.u8string();
    lxw_workbook *book = workbook_new(reinterpret_cast<const char *>(name.c_str()));
    if (!book)
        return LXW_ERROR_CREATING_XLSX_FILE;
    const std::vector<Row> rows = distributionRows(sim);
    lxw_worksheet *sheet = addSheet(book, texts.distributionsSheet, kDistributionsHeader, rows);
    if (!rows.empty())
        addChart(book, sheet, texts, rows.size());
    if (compositions)
        addSheet(book, texts.compositionsSheet, kCompositionsHeader, compositionRows(*compositions));
    return workbook_close(book);
}

} // namespace

ExportResult writeWorkbook(const fs::path &path,
                           const Simulation &sim,
                           const std::optional<std::vector<CompositionLine>> &compositions,
                           const WorkbookTexts &texts)
{
    // The library writes only to a file of its own: the workbook is made there
    // and then written in its place whole, like every other file.
    std::error_code ec;
    const fs::path scratch = scratchPath(ec);
    if (ec)
        return writeFailure(ExportResult::Outcome::FailedOpening, ec, path);
    const lxw_error error = buildWorkbook(scratch, sim, compositions, texts);
    std::string bytes;
    bool read = false;
    if (error == LXW_NO_ERROR) {
        std::ifstream in(scratch, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        read = in.is_open() && !in.bad() && !bytes.empty();
    }
    fs::remove(scratch, ec);
    if (error != LXW_NO_ERROR)
        return writeFailure(ExportResult::Outcome::FailedWriting, lxw_strerror(error), path);
    // A workbook that could not be read back is not written as an empty file.
    if (!read)
        return writeFailure(ExportResult::Outcome::FailedWriting, EIO, path);
    ExportResult result = writeWholeFile(path, bytes);
    if (result.ok)
        result.message = "File " + result.path + " was created";
    return result;
}

} // namespace kormix
