// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The batch mode: its files read back by an independent parser, runs
// repeated from a seed, and every bad argument refused with nothing written.
// The program itself is run too, without any display.
#include "app/batch.h"
#include "tests/common/files.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

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

struct Result
{
    int code;
    std::string out, err;
};

class Batch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = test::scratchPath("kormix-batch-");
        fs::remove_all(root);
        fs::create_directories(root);
    }
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
                             "equilibrium ([0-9.eE+-]+), (\\d+) collisions per second, seed 5\n");
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
    const std::string seriesText = readAll(dir / "series.tsv");
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

    // equilibrium.tsv: compositions, a blank line, the reactions.
    const std::string eq = readAll(dir / "equilibrium.tsv");
    const std::size_t blank = eq.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    const std::vector<Row> comps = rowsOf(eq.substr(0, blank));
    EXPECT_EQ(comps[0], (Row{"NH2", "NHD", "ND2", "%HD", "lnW", "W", "P", "collisions", "share"}));
    // 70 H and 50 D atoms: nHD = 0, 2, ..., 50.
    EXPECT_EQ(comps.size(), 1u + 26);
    double sumP = 0, sumShare = 0, sumCollisions = 0;
    for (std::size_t i = 1; i < comps.size(); ++i) {
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
    const double nHDNow = number(series.back()[3]);
    EXPECT_EQ(number(reactions[1][1]) - number(reactions[2][1]), (nHDNow - 10) / 2);
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
    const Row start = rowsOf(readAll(root / "a" / "series.tsv"))[1];
    EXPECT_EQ((Row{start[0], start[1], start[2], start[3], start[4], start[7]}),
              (Row{"0", "1", "50", "0", "40", "0"}));
    EXPECT_NEAR(number(start[6]), std::lgamma(91.0) - std::lgamma(51.0) - std::lgamma(41.0), 1e-9);
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

TEST_F(Batch, EveryBadArgumentIsNamedAndNothingIsWritten)
{
    const struct
    {
        QStringList args;
        const char *message;
    } cases[] = {
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--bogus"},
             "kormix: Unknown option 'bogus'.\n"},
            {{"--batch", "--molecules", "5,0", "--collisions", "9"},
             "kormix: --molecules needs three counts H2,HD,D2, not '5,0'\n"},
            {{"--batch", "--molecules", "5,0,5,1", "--collisions", "9"},
             "kormix: --molecules needs three counts H2,HD,D2, not '5,0,5,1'\n"},
            {{"--batch", "--atoms", "5", "--collisions", "9"},
             "kormix: --atoms needs two counts H,D, not '5'\n"},
            {{"--batch", "--molecules", "0,0,0", "--collisions", "9"},
             "kormix: --molecules 0,0,0 gives no usable system (it needs at least two "
             "molecules)\n"},
            {{"--batch", "--molecules", "1,0,0", "--collisions", "9"},
             "kormix: --molecules 1,0,0 gives no usable system (it needs at least two "
             "molecules)\n"},
            {{"--batch", "--atoms", "-4,8", "--collisions", "9"},
             "kormix: --atoms -4,8 gives no usable system (it needs at least two molecules)\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "1.5"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, not "
             "'1.5'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "-3"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, not "
             "'-3'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9223372036854775808"},
             "kormix: --collisions must be a whole number from 0 to 9223372036854775807, not "
             "'9223372036854775808'\n"},
            {{"--batch", "--molecules", "5,0,5"}, "kormix: --collisions N is needed\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions"},
             "kormix: Missing value after '--collisions'.\n"},
            {{"--batch", "--collisions", "9"}, "kormix: give --molecules H2,HD,D2 or --atoms H,D\n"},
            {{"--batch", "--molecules", "5,0,5", "--atoms", "4,4", "--collisions", "9"},
             "kormix: give --molecules or --atoms, not both\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--seed", "x"},
             "kormix: --seed must be a whole number from 0 to 18446744073709551615, not 'x'\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "--collisions", "8"},
             "kormix: --collisions is given more than once\n"},
            {{"--batch", "--molecules", "5,0,5", "--collisions", "9", "more"},
             "kormix: unexpected argument 'more'\n"},
            {{"--molecules", "5,0,5", "--collisions", "9"},
             "kormix: --batch is needed to run without a window\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const fs::path dir = root / "never";
        const Result r = runInto(dir, c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(dir));
    }
    // An output path that is a file.
    std::ofstream(root / "file") << "x";
    const Result r = runInto(root / "file",
                             {"--batch", "--molecules", "5,0,5", "--collisions", "9"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "kormix: --output " + (root / "file").string() + " is not a directory\n");
    EXPECT_EQ(readAll(root / "file"), "x");
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

// How the program's lines end on its standard output and error: Windows' C
// runtime writes text with CR LF.
#ifdef _WIN32
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

TEST_F(Batch, TheProgramRunsWithoutADisplay)
{
    const Result help = program({"--help"}, root);
    EXPECT_EQ(help.code, 0);
    for (const char *text : {"--batch",
                             "--molecules",
                             "--atoms",
                             "--collisions",
                             "--seed",
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

} // namespace
} // namespace kormix

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
