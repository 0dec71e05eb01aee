// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The batch mode: its files read back by an independent parser, runs
// repeated from a seed, and every bad argument refused with nothing written.
// The program itself is run too, without any display.
#include "app/batch.h"
#include "core/hydrogen/equilibriumconstant.h"
#include "core/numberformat.h"
#include "tests/common/files.h"
#ifndef _WIN32
#include "tests/common/killedwriter.h"
#endif

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace kormix {
namespace {

namespace fs = std::filesystem;

using test::readAll;

using Row = std::vector<std::string>;

// Lines split at `end`, fields at tabs.
std::vector<Row> rowsOf(const std::string &text, const std::string &end = "\n")
{
    std::vector<Row> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find(end, start);
        const std::string line = text.substr(start, stop - start);
        Row fields;
        std::size_t f = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', f);
            fields.push_back(line.substr(f, tab - f));
            if (tab == std::string::npos)
                break;
            f = tab + 1;
        }
        rows.push_back(fields);
        if (stop == std::string::npos)
            break;
        start = stop + end.size();
    }
    return rows;
}

// A number as a script reads it: '.' for the point, nothing else in it.
double number(const std::string &field)
{
    std::size_t used = 0;
    const double v = std::stod(field, &used);
    EXPECT_EQ(used, field.size()) << field;
    return v;
}

// A file of tables after the line that names its model, which must be this
// one.
std::string afterModelLine(const std::string &text, const std::string &model)
{
    const std::string line = "# model: " + model + "\n";
    EXPECT_EQ(text.substr(0, line.size()), line);
    return text.substr(std::min(line.size(), text.size()));
}

struct Result
{
    int code;
    std::string out, err;
};

// How the program's lines end on its standard output and error: Windows' C
// runtime writes text with CR LF.
#ifdef _WIN32
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

// Lines as the program writes them.
std::string asWritten(const std::string &text)
{
    std::string written;
    for (const char c : text)
        written += c == '\n' ? std::string(kLineEnd) : std::string(1, c);
    return written;
}

// A path as a message quotes it: UTF-8, and a backslash (Windows' separator)
// escaped as every backslash of the user's is.
std::string quoted(const fs::path &path)
{
    std::string shown = "'";
    for (const char8_t c : path.u8string())
        shown += c == u8'\\' ? std::string("\\\\") : std::string(1, char(c));
    return shown + "'";
}

class Batch : public ::testing::Test
{
public:
    void SetUp() override { root = test::scratchFolder("kormix-batch"); }
    void TearDown() override { fs::remove_all(root); }

    Result run(QStringList arguments)
    {
        std::ostringstream out, err;
        arguments.prepend("kormix");
        const int code = runBatch(arguments, out, err);
        return {code, out.str(), err.str()};
    }
    // A run into a directory of its own.
    Result runInto(const fs::path &dir, QStringList arguments)
    {
        arguments.prepend(QString::fromStdString(dir.string()));
        arguments.prepend("--output");
        return run(arguments);
    }

    fs::path root;
};

// equilibrium.tsv of 30 H2, 10 HD and 20 D2 after 20000 collisions, which end
// with nHDNow HD: compositions, a blank line, the reactions.
void expectEquilibriumFile(const std::string &eq, double nHDNow)
{
    const std::size_t blank = eq.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    const std::vector<Row> comps = rowsOf(eq.substr(0, blank));
    EXPECT_EQ(comps[0], (Row{"NH2", "NHD", "ND2", "%HD", "lnW", "W", "P", "collisions", "share"}));
    // 70 H and 50 D atoms: nHD = 0, 2, ..., 50, then all other compositions
    // (none here).
    EXPECT_EQ(comps.size(), 1u + 26 + 1);
    EXPECT_EQ(comps.back(), (Row{"others", "", "", "", "", "", "0", "0", "0"}));
    double sumP = 0, sumShare = 0, sumCollisions = 0;
    for (std::size_t i = 1; i + 1 < comps.size(); ++i) {
        ASSERT_EQ(comps[i].size(), 9u);
        EXPECT_EQ(number(comps[i][1]), 2.0 * double(i - 1));
        sumP += number(comps[i][6]);
        sumCollisions += number(comps[i][7]);
        sumShare += number(comps[i][8]);
    }
    EXPECT_NEAR(sumP, 1.0, 1e-12);
    EXPECT_NEAR(sumShare, 1.0, 1e-12);
    EXPECT_EQ(sumCollisions, 20000.0);
    const std::vector<Row> reactions = rowsOf(eq.substr(blank + 2, eq.size() - blank - 3));
    ASSERT_EQ(reactions.size(), 4u);
    EXPECT_EQ(reactions[0],
              (Row{"reaction", "count", "per_collision", "expected_now", "expected_at_equilibrium"}));
    for (std::size_t i = 1; i < 4; ++i) {
        ASSERT_EQ(reactions[i].size(), 5u);
        EXPECT_NEAR(number(reactions[i][2]), number(reactions[i][1]) / 20000, 1e-12);
    }
    // forward - reverse is half the change of nHD.
    EXPECT_EQ(number(reactions[1][1]) - number(reactions[2][1]), (nHDNow - 10) / 2);
}

TEST_F(Batch, FilesPassAnIndependentReadingOfTheirFormat)
{
    const fs::path dir = root / "out";
    const Result r = runInto(
            dir, {"--batch", "--molecules", "30,10,20", "--collisions", "20000", "--seed", "5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");

    // One summary line.
    std::smatch m;
    const std::regex summary("(\\d+) collisions, (\\d+) distributions found, distance from "
                             "equilibrium ([0-9.eE+-]+), (\\d+) collisions per second, seed 5, "
                             "statistics only, K = 4\n");
    ASSERT_TRUE(std::regex_match(r.out, m, summary)) << r.out;
    EXPECT_EQ(m[1], "20000");
    const std::size_t found = std::stoul(m[2]);
    const double distance = number(m[3]);
    EXPECT_GT(distance, 0.0);
    EXPECT_LT(distance, 0.2);

    // distributions.xls: CR LF lines, a header of 11 fields, one line per
    // distribution found.
    const std::string xls = readAll(dir / "distributions.xls");
    ASSERT_GE(xls.size(), 2u);
    EXPECT_EQ(xls.substr(xls.size() - 2), "\r\n");
    const std::vector<Row> dist = rowsOf(xls.substr(0, xls.size() - 2), "\r\n");
    EXPECT_EQ(dist[0],
              (Row{"#", "NH2", "ND2", "NHD", "%HD", "lnW", "W", "P", "P_rel", "freq", "P_from_freq"}));
    EXPECT_EQ(dist.size(), found + 1);
    for (std::size_t i = 1; i < dist.size(); ++i) {
        ASSERT_EQ(dist[i].size(), 11u) << i;
        EXPECT_EQ(number(dist[i][1]) + number(dist[i][2]) + number(dist[i][3]), 60.0);
    }
    EXPECT_EQ(xls.find('\n', 0), xls.find("\r\n", 0) + 1);

    // series.tsv: the course of the run, collisions increasing in steps of 50.
    const std::string seriesText = afterModelLine(readAll(dir / "series.tsv"),
                                                  "statistics only, K = 4");
    EXPECT_EQ(seriesText.find('\r'), std::string::npos);
    const std::vector<Row> series = rowsOf(seriesText.substr(0, seriesText.size() - 1));
    EXPECT_EQ(series[0], (Row{"collision", "run", "NH2", "NHD", "ND2", "%HD", "lnW", "Q"}));
    EXPECT_EQ(series.size(), 1u + 20000 / 50 + 1);
    EXPECT_EQ(series[1][0], "0");
    EXPECT_EQ((Row{series[1][2], series[1][3], series[1][4]}), (Row{"30", "10", "20"}));
    for (std::size_t i = 1; i < series.size(); ++i) {
        ASSERT_EQ(series[i].size(), 8u);
        EXPECT_EQ(series[i][1], "1");
        EXPECT_EQ(number(series[i][2]) + number(series[i][3]) + number(series[i][4]), 60.0);
        if (i > 1) {
            EXPECT_GT(number(series[i][0]), number(series[i - 1][0]));
        }
    }
    EXPECT_EQ(series.back()[0], "20000");

    expectEquilibriumFile(afterModelLine(readAll(dir / "equilibrium.tsv"), "statistics only, K = 4"),
                          number(series.back()[3]));
}

TEST_F(Batch, TheSameSeedGivesTheSameFilesAndAnotherSeedOthers)
{
    const QStringList args = {"--batch", "--atoms", "101,80", "--collisions", "30000"};
    ASSERT_EQ(runInto(root / "a", args + QStringList{"--seed", "42"}).code, 0);
    ASSERT_EQ(runInto(root / "b", args + QStringList{"--seed", "42"}).code, 0);
    ASSERT_EQ(runInto(root / "c", args + QStringList{"--seed", "43"}).code, 0);
    for (const char *name : {"distributions.xls", "series.tsv", "equilibrium.tsv"}) {
        SCOPED_TRACE(name);
        const std::string a = readAll(root / "a" / name);
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(readAll(root / "b" / name), a);
        EXPECT_NE(readAll(root / "c" / name), a);
    }
    // The atoms were paired as the setup dialog pairs them: 101 H gives 50 H2,
    // and ln W = ln(90! / (50! 40!)).
    const Row start = rowsOf(
            afterModelLine(readAll(root / "a" / "series.tsv"), "statistics only, K = 4"))[1];
    EXPECT_EQ((Row{start[0], start[1], start[2], start[3], start[4], start[7]}),
              (Row{"0", "1", "50", "0", "40", "0"}));
    EXPECT_NEAR(number(start[6]), std::lgamma(91.0) - std::lgamma(51.0) - std::lgamma(41.0), 1e-9);
}

// At a temperature the run goes to real hydrogen's K: the files and the
// summary name the model, P is the exact one at K, and the H2 + D2 meetings
// without a reaction are counted. One H2 and one D2 (weight 2) spend
// K / (K + 2) of the time as 2 HD (weight K).
TEST_F(Batch, ATemperatureRunsAtItsKAndTheFilesNameIt)
{
    const double K = equilibriumConstant(298.15);
    const std::string model = "hydrogen at 298.15 K, K = " + numberToText(K);
    const Result r = runInto(root / "t",
                             {"--batch",
                              "--molecules",
                              "1,0,1",
                              "--collisions",
                              "200000",
                              "--temperature",
                              "298.15",
                              "--seed",
                              "9"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.out.ends_with(", seed 9, " + model + "\n")) << r.out;
    afterModelLine(readAll(root / "t" / "series.tsv"), model);
    const std::string eq = afterModelLine(readAll(root / "t" / "equilibrium.tsv"), model);
    const std::size_t blank = eq.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    const std::vector<Row> comps = rowsOf(eq.substr(0, blank));
    ASSERT_EQ(comps.size(), 1u + 2 + 1);
    EXPECT_NEAR(number(comps[1][6]), 2 / (K + 2), 2e-15);
    EXPECT_NEAR(number(comps[2][6]), K / (K + 2), 2e-15);
    EXPECT_NEAR(number(comps[2][8]), K / (K + 2), 0.01); // the run's share
    const std::vector<Row> reactions = rowsOf(eq.substr(blank + 2, eq.size() - blank - 3));
    ASSERT_EQ(reactions.size(), 5u);
    EXPECT_EQ(reactions[4][0], "H2 + D2 met without reacting");
    // K / 4 of the H2 + D2 meetings react.
    const double forward = number(reactions[1][1]), unreacted = number(reactions[4][1]);
    EXPECT_NEAR(forward / (forward + unreacted), K / 4, 0.01);

    // The ends of the range are offered.
    for (const char *kelvin : {"20", "3000"}) {
        SCOPED_TRACE(kelvin);
        const Result end = runInto(
                root / kelvin,
                {"--batch", "--molecules", "1,0,1", "--collisions", "10", "--temperature", kelvin});
        EXPECT_EQ(end.code, 0) << end.err;
        EXPECT_TRUE(end.out.ends_with(", hydrogen at " + std::string(kelvin) + " K, K = "
                                      + numberToText(equilibriumConstant(std::stod(kelvin))) + "\n"))
                << end.out;
    }
}

TEST_F(Batch, BestOnlyKeepsTheMostProbableAndNoCollisionsKeepTheStart)
{
    const Result best = runInto(root / "best",
                                {"--batch",
                                 "--molecules",
                                 "10,0,10",
                                 "--collisions",
                                 "5000",
                                 "--best-only",
                                 "--seed",
                                 "1"});
    ASSERT_EQ(best.code, 0) << best.err;
    EXPECT_EQ(rowsOf(readAll(root / "best" / "distributions.xls"), "\r\n").size(), 1u + 1);

    const Result none = runInto(root / "none",
                                {"--batch", "--molecules", "10,0,10", "--collisions", "0"});
    ASSERT_EQ(none.code, 0) << none.err;
    EXPECT_EQ(none.out.rfind("0 collisions, 1 distributions found, distance", 0), 0u);
    EXPECT_NE(none.out.find("distance from equilibrium none"), std::string::npos);
}

struct Refusal
{
    QStringList args;
    const char *message;
};

// Each command line is refused with its message, exit code 2, in one line
// with no control character but its end, and nothing is written.
void expectRefused(Batch &t, std::span<const Refusal> cases)
{
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const fs::path dir = t.root / "never";
        const Result r = t.runInto(dir, c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(dir));
        // One line, and no control character but its end.
        EXPECT_EQ(std::count_if(r.err.begin(),
                                r.err.end(),
                                [](char ch) { return (unsigned char) ch < 0x20 || ch == 0x7f; }),
                  1);
    }
}

TEST_F(Batch, EveryBadArgumentIsNamedAndNothingIsWritten)
{
    const Refusal cases[] = {
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--bogus"},
             "kormix: Unknown option 'bogus'.\n"},
            {{"--batch", "--molecules", "5,0", "--collisions", "9"},
             "kormix: --molecules needs three counts H2,HD,D2, not '5,0'\n"},
            {{"--batch", "--molecules", "5,0,5,1", "--collisions", "9"},
             "kormix: --molecules needs three counts H2,HD,D2, not '5,0,5,1'\n"},
            {{"--batch", "--atoms", "5", "--collisions", "9"},
             "kormix: --atoms needs two counts H,D, not '5'\n"},
            {{"--batch", "--molecules", "0,0,0", "--collisions", "9"},
             "kormix: --molecules '0,0,0' gives no usable system (it needs at least two "
             "molecules)\n"},
            {{"--batch", "--molecules", "1,0,0", "--collisions", "9"},
             "kormix: --molecules '1,0,0' gives no usable system (it needs at least two "
             "molecules)\n"},
            {{"--batch", "--atoms", "-4,8", "--collisions", "9"},
             "kormix: --atoms '-4,8' gives no usable system (it needs at least two "
             "molecules)\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "1.5"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, "
             "not '1.5'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "-3"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, "
             "not '-3'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9223372036854775808"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, "
             "not '9223372036854775808'\n"},
            {{"--batch", "--molecules", "5,0,5"}, "kormix: --collisions N is needed\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions"},
             "kormix: Missing value after '--collisions'.\n"},
            {{"--batch", "--collisions", "9"}, "kormix: give --molecules H2,HD,D2 or --atoms H,D\n"},
            {{"--batch", "--molecules", "5,0,5", "--atoms", "4,4", "--collisions", "9"},
             "kormix: give --molecules or --atoms, not both\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--seed", "x"},
             "kormix: --seed must be a whole number from 0 to 18446744073709551615, not "
             "'x'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--collisions", "8"},
             "kormix: --collisions is given more than once\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "more"},
             "kormix: unexpected argument 'more'\n"},
            {{"--molecules", "5,0,5", "--collisions", "9"},
             "kormix: --batch is needed to run without a window\n"},
            {{"--molecules", "5,0,5", "--collisions", "9", "--temperature", "300"},
             "kormix: --batch is needed to run without a window\n"},
            {{"--batch",
              "--molecules",
              "5,0,5",
              "--collisions",
              "9",
              "--temperature",
              "300",
              "--temperature",
              "400"},
             "kormix: --temperature is given more than once\n"},
    };
    expectRefused(*this, cases);
    // A temperature outside 20 to 3000 kelvin, or not a number of them.
    for (const char *kelvin : {"19.99", "3000.01", "0", "-300", "1e3", "300 K", "abc", "", "2,5"}) {
        const std::string message = "kormix: --temperature must be a number of kelvin from 20 to "
                                    "3000, not '"
                                    + std::string(kelvin) + "'\n";
        const Refusal refusal{
                {"--batch", "--molecules", "5,0,5", "--collisions", "9", "--temperature", kelvin},
                message.c_str()};
        expectRefused(*this, std::span(&refusal, 1));
    }
    // An output path that is a file.
    std::ofstream(root / "file") << "x";
    const Result r = runInto(root / "file",
                             {"--batch", "--molecules", "5,0,5", "--collisions", "9"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "kormix: --output " + quoted(root / "file") + " is not a directory\n");
    EXPECT_EQ(readAll(root / "file"), "x");
}

// Values with control characters or backslashes are shown escaped, so that a
// refusal is one line and nothing reaches the terminal raw.
TEST_F(Batch, ValuesAreShownEscapedOnOneLine)
{
    const Refusal cases[] = {
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--seed", "\x1b[2J"},
             "kormix: --seed must be a whole number from 0 to 18446744073709551615, not "
             "'\\x1b[2J'\n"},
            {{"--batch", "--atoms", "4\n4", "--collisions", "9"},
             "kormix: --atoms needs two counts H,D, not '4\\n4'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9\r\t\x7f\\"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, "
             "not '9\\r\\t\\x7f\\\\'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--x\ny"},
             "kormix: Unknown option 'x\\ny'.\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "a\x1b]0;b\x07"},
             "kormix: unexpected argument 'a\\x1b]0;b\\x07'\n"},
            // --help-all (Qt's help on its own options) is not offered.
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--help-all"},
             "kormix: Unknown option 'help-all'.\n"},
    };
    expectRefused(*this, cases);
}

// The program itself, with no display of any kind in its environment.
Result program(const QStringList &args, const fs::path &dir)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(dir.string()));
    p.start(KORMIX_PROGRAM, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

TEST_F(Batch, TheProgramRunsWithoutADisplay)
{
    const Result help = program({"--help"}, root);
    EXPECT_EQ(help.code, 0);
    for (const char *text : {"--batch",
                             "--molecules",
                             "--atoms",
                             "--collisions",
                             "--seed",
                             "--temperature",
                             "--best-only",
                             "--output",
                             "'.' as the decimal separator"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;

    const Result version = program({"--version"}, root);
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("kormix 1.2") + kLineEnd);

    const Result bad = program({"--batch", "--molecules", "5,0,5", "--collisions", "x"}, root);
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.err,
              std::string("kormix: --collisions must be a whole number from 0 to "
                          "9223372036854775807, not 'x'")
                      + kLineEnd);
    EXPECT_TRUE(fs::is_empty(root));
    // A batch option alone runs the batch mode too, which asks for --batch.
    const Result alone = program({"--temperature", "300"}, root);
    EXPECT_EQ(alone.code, 2);
    EXPECT_EQ(alone.err,
              std::string("kormix: --batch is needed to run without a window") + kLineEnd);

    // The current directory is the default.
    const Result run
            = program({"--batch", "--molecules", "50,0,50", "--collisions", "100000", "--seed", "3"},
                      root);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 18), "100000 collisions,");
    for (const char *name : {"distributions.xls", "series.tsv", "equilibrium.tsv"})
        EXPECT_TRUE(fs::is_regular_file(root / name)) << name;
    // In-process and as a program: the same files.
    ASSERT_EQ(runInto(root / "again",
                      {"--batch", "--molecules", "50,0,50", "--collisions", "100000", "--seed", "3"})
                      .code,
              0);
    EXPECT_EQ(readAll(root / "again" / "distributions.xls"), readAll(root / "distributions.xls"));
}

// A folder of any name, given on the command line: Windows hands it over in
// UTF-16, and the messages name it in UTF-8.
TEST_F(Batch, AnyFolderNameIsWrittenInAndNamedInUtf8)
{
    const fs::path dir = root / fs::path(u8"J\u00f6rg \u5f20");
    const auto argument = [](const fs::path &path) {
        return QString::fromStdU16String(path.u16string());
    };
    const QStringList args = {"--batch", "--molecules", "5,0,5", "--collisions", "100", "--output"};
    const Result r = program(args + QStringList{argument(dir)}, root);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::is_regular_file(dir / "distributions.xls"));

    test::writeAll(dir / "file", "x");
    const Result refused = program(args + QStringList{argument(dir / "file")}, root);
    EXPECT_EQ(refused.code, 2);
    EXPECT_EQ(refused.err,
              asWritten("kormix: --output " + quoted(dir / "file") + " is not a directory\n"));
}

// Folder permissions, the file size limit and killing a child process made by
// fork are POSIX's: these three are tested on POSIX systems.
#ifndef _WIN32

// The output folder is made and tried before the first collision: a folder
// that cannot be made or written to is named with the cause at once, and
// nothing is written. (10^8 collisions take seconds: a check after them
// would show progress lines first.)
TEST_F(Batch, AnUnusableOutputFolderIsRefusedBeforeTheFirstCollision)
{
    std::ofstream(root / "file") << "x";
    fs::create_directories(root / "taken" / "series.tsv");
    fs::create_directories(root / "readonly");
    fs::permissions(root / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
    const bool root_user = ::geteuid() == 0; // permissions do not stop root
    const struct
    {
        const char *what;
        fs::path output;
        std::string message;
        bool skip;
    } cases[] = {
            {"inside a plain file",
             root / "file" / "out",
             "cannot make the output folder '" + (root / "file" / "out").string()
                     + "': " + std::strerror(ENOTDIR),
             false},
            {"a folder where a file goes",
             root / "taken",
             "cannot write '" + (root / "taken" / "series.tsv").string()
                     + "': " + std::strerror(EISDIR),
             false},
            {"a folder nobody may write in",
             root / "readonly",
             "cannot write in the output folder '" + (root / "readonly").string()
                     + "': " + std::strerror(EACCES),
             root_user},
            {"a folder that may not be made",
             root / "readonly" / "out",
             "cannot make the output folder '" + (root / "readonly" / "out").string()
                     + "': " + std::strerror(EACCES),
             root_user},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.skip)
            continue;
        const Result r = runInto(c.output,
                                 {"--batch", "--molecules", "5,0,5", "--collisions", "100000000"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, "kormix: " + c.message + "\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(readAll(root / "file"), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "taken"), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_empty(root / "readonly"));
}

// A file that fails late (here the file size limit, as a full disk would)
// leaves the earlier run's three files as they were: never a mixture.
TEST_F(Batch, AFileThatCannotBeWrittenLeavesTheEarlierRunsFilesTogether)
{
    const fs::path dir = root / "out";
    const QStringList args = {"--batch", "--molecules", "30,10,20", "--collisions", "20000"};
    ASSERT_EQ(runInto(dir, args + QStringList{"--seed", "1"}).code, 0);
    const char *names[] = {"distributions.xls", "series.tsv", "equilibrium.tsv"};
    std::vector<std::string> earlier;
    for (const char *name : names)
        earlier.push_back(readAll(dir / name));
    // The first file fits below the limit, the second does not.
    constexpr std::size_t kLimit = 8192;
    ASSERT_LT(earlier[0].size(), kLimit);
    ASSERT_GT(earlier[1].size(), kLimit);

    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = kLimit;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result r = runInto(dir, args + QStringList{"--seed", "2"});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              "kormix: cannot write '" + (dir / "series.tsv").string()
                      + "': " + std::strerror(EFBIG) + "\n");
    EXPECT_EQ(r.out, "");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(readAll(dir / names[i]), earlier[i]) << names[i];
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

// Batch runs killed at any moment, in their run or while they write, leave
// nothing once the next run into the same folder has written its files.
TEST_F(Batch, RunsKilledAnywhereLeaveNothingAfterTheNextRun)
{
    const fs::path dir = root / "out";
    const QStringList args = {"--batch",
                              "--molecules",
                              "30,10,20",
                              "--collisions",
                              "2000",
                              "--seed",
                              "4",
                              "--output",
                              QString::fromStdString(dir.string())};
    ASSERT_EQ(run(args).code, 0);
    const auto write = [&] { run(args); };
    test::killManyTimes(write,
                        200,
                        fs::file_size(dir / "distributions.xls"),
                        std::chrono::microseconds(5000));
    test::killWhileWriting(write, fs::file_size(dir / "distributions.xls") / 2);
    EXPECT_GE(test::filesBesides(dir, {"distributions.xls", "series.tsv", "equilibrium.tsv"}), 1);

    ASSERT_EQ(run(args).code, 0);
    EXPECT_EQ(test::filesBesides(dir, {"distributions.xls", "series.tsv", "equilibrium.tsv"}), 0);
}

#endif

// Every option of the batch mode asks for the batch mode: without --batch it
// is refused in one line, and no window is opened (there is no display).
TEST_F(Batch, BatchOptionsWithoutBatchAreRefusedWithoutAWindow)
{
    const QStringList cases[] = {
            {"--molecules", "5,0,5", "--collisions", "100"},
            {"--atoms=4,4"},
            {"--collisions", "100"},
            {"--seed", "3"},
            {"--best-only"},
            {"--output", "elsewhere"},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = program(args, root);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, asWritten("kormix: --batch is needed to run without a window\n"));
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(fs::is_empty(root));
}

// -? is help too; --help-all, whose Qt options the batch mode does not take,
// is no longer offered.
TEST_F(Batch, QuestionMarkIsHelp)
{
    const Result help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("-?"), std::string::npos);
    EXPECT_EQ(help.out.find("help-all"), std::string::npos);
    const Result question = program({"-?"}, root);
    EXPECT_EQ(question.code, 0);
    EXPECT_EQ(question.err, "");
    EXPECT_NE(question.out.find("--batch"), std::string::npos);
    // All but the line with the program's name.
    EXPECT_EQ(question.out.substr(question.out.find('\n') + 1),
              asWritten(help.out.substr(help.out.find('\n') + 1)));
}

// A run longer than a second shows its progress, always with a number for
// the percentage, even below 1 %.
TEST_F(Batch, TheProgressLineAlwaysShowsAPercentage)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(root.string()));
    p.setReadChannel(QProcess::StandardError);
    p.start(KORMIX_PROGRAM,
            {"--batch", "--molecules", "50,0,50", "--collisions", "9223372036854775807"});
    QByteArray progress;
    while (!progress.contains(")") && p.waitForReadyRead(10000))
        progress += p.readAllStandardError();
    p.kill();
    p.waitForFinished();
    const std::string line = progress.toStdString();
    const std::regex shown("\rkormix: 0 % \\(\\d+ of 9223372036854775807 collisions\\)[\\s\\S]*");
    EXPECT_TRUE(std::regex_match(line, shown)) << line;
}

} // namespace
} // namespace kormix

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
