#include "core/distributionsfile.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "fakehost.h"
#include "tests/common/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <unistd.h>

namespace kormix {
namespace {

namespace fs = std::filesystem;
using test::FakeHost;
using test::ReadAll;
using test::WriteAll;

// A scratch directory of its own for each test.
class DistributionsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("kormix-test-" + std::to_string(::getpid()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "distributions.xls";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    // Files in the directory other than the ones named: left-over temporaries.
    int StrayFiles(std::initializer_list<fs::path> known = {})
    {
        int n = 0;
        for (const auto &entry : fs::directory_iterator(dir)) {
            bool isKnown = entry.path() == path;
            for (const auto &k : known)
                isKnown = isKnown || entry.path() == k;
            n += isKnown ? 0 : 1;
        }
        return n;
    }

    // Two molecules met as 2 HD first (three times in all), then as H2 + D2.
    void SmallRegister()
    {
        sim.bSaveAll = true;
        sim.nMolecules = 2;
        sim.nH2 = 0;
        sim.nHD = 2;
        sim.nD2 = 0;
        sim.BeginCollisions();
        sim.nH2 = sim.nD2 = 1;
        sim.nHD = 0;
        sim.lnW = LnW(1, 1, 0);
        sim.RecordDistribution();
        sim.nH2 = sim.nD2 = 0;
        sim.nHD = 2;
        sim.RecordDistribution();
        sim.RecordDistribution();
    }

    fs::path dir, path;
    FakeHost host;
    Simulation sim{&host};
};

TEST_F(DistributionsFile, ContentByteForByte)
{
    SmallRegister();
    const std::string header = "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq\r\n";
    // Sorted by HD fraction, although 2 HD was found first.
    EXPECT_EQ(
            DistributionsText(sim),
            header
                    + " 1 \t1\t1\t0\t0\t0.693147180559945\t2\t0.333333333333333\t0.5\t1\t0.25\r\n"
                      " 2 \t0\t0\t2\t100\t1.38629436111989\t4\t0.666666666666667\t1\t3\t0.75\r\n");

    sim.decimalPoint = ',';
    EXPECT_EQ(
            DistributionsText(sim),
            header
                    + " 1 \t1\t1\t0\t0\t0,693147180559945\t2\t0,333333333333333\t0,5\t1\t0,25\r\n"
                      " 2 \t0\t0\t2\t100\t1,38629436111989\t4\t0,666666666666667\t1\t3\t0,75\r\n");
}

TEST_F(DistributionsFile, OneDistributionHasProbabilityOne)
{
    sim.nMolecules = 30;
    sim.nH2 = 12;
    sim.nHD = 10;
    sim.nD2 = 8;
    sim.BeginCollisions();
    const std::string text = DistributionsText(sim);
    const std::string line = text.substr(text.find("\r\n") + 2);
    EXPECT_EQ(line.rfind(" 1 \t12\t8\t10\t33.3333333333333\t", 0), 0u) << line;
    EXPECT_NE(line.find("\t1\t1\t1\t1\r\n"), std::string::npos)
            << line; // P, P_rel, freq, P_from_freq
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

TEST_F(DistributionsFile, ProbabilitiesOfARunAddUpToOne)
{
    test::StartSeeded(sim, host, "20", "0", "20", 5);
    test::RunFor(sim, host, 3000);

    std::istringstream lines(DistributionsText(sim));
    std::string line;
    std::getline(lines, line);
    double p = 0, pFreq = 0, lastHD = -1;
    int k = 0, rel1 = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.back(), '\r');
        std::vector<std::string> f;
        std::istringstream fields(line.substr(0, line.size() - 1));
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        ASSERT_EQ(f.size(), 11u);
        EXPECT_EQ(f[0], std::string(" ").append(std::to_string(++k)).append(" "));
        EXPECT_GT(std::stod(f[4]), lastHD);
        lastHD = std::stod(f[4]);
        p += std::stod(f[7]);
        pFreq += std::stod(f[10]);
        rel1 += f[8] == "1";
    }
    EXPECT_EQ(k, sim.nStored);
    EXPECT_NEAR(p, 1, 1e-12);
    EXPECT_NEAR(pFreq, 1, 1e-12);
    EXPECT_EQ(rel1, 1);
}

TEST_F(DistributionsFile, ExportWritesTheWholeFileAndReplacesTheOld)
{
    SmallRegister();
    WriteAll(path, "an older export, much longer than the new one will be .......................");
    const ExportResult first = ExportDistributions(sim, path);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(first.message, "File " + path.string() + " was created");
    const std::string text = ReadAll(path);
    EXPECT_EQ(text, DistributionsText(sim));
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_EQ(ReadAll(path), text);
    EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(DistributionsFile, MissingDirectoryIsCreated)
{
    SmallRegister();
    const fs::path nested = dir / "temp" / "distributions.xls";
    EXPECT_TRUE(ExportDistributions(sim, nested).ok);
    EXPECT_EQ(ReadAll(nested), DistributionsText(sim));
}

TEST_F(DistributionsFile, PlantedLinkIsReplacedNotFollowed)
{
    SmallRegister();
    const fs::path victim = dir / "victim";
    WriteAll(victim, "keep me");
    fs::create_symlink(victim, path);
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_EQ(ReadAll(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(ReadAll(path), DistributionsText(sim));
}

TEST_F(DistributionsFile, FailuresAreReportedAndLeaveWhatWasThere)
{
    SmallRegister();
    // The directory is a plain file: nothing can be created in it.
    const fs::path notADir = dir / "plainfile";
    WriteAll(notADir, "plain");
    const fs::path inside = notADir / "distributions.xls";
    ExportResult result = ExportDistributions(sim, inside);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              std::string(std::strerror(ENOTDIR)).append(" opening ") + inside.string());
    EXPECT_EQ(ReadAll(notADir), "plain");

    // A directory stands at the path: it cannot be replaced by the file.
    fs::create_directories(path / "sub");
    result = ExportDistributions(sim, path);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(" replacing " + path.string()), std::string::npos)
            << result.message;
    EXPECT_TRUE(fs::is_directory(path / "sub"));
    EXPECT_EQ(StrayFiles({notADir}), 0);
}

TEST_F(DistributionsFile, UnwritableDirectoryIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    SmallRegister();
    WriteAll(path, "previous");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const ExportResult result = ExportDistributions(sim, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              std::string(std::strerror(EACCES)).append(" opening ") + path.string());
    EXPECT_EQ(ReadAll(path), "previous");
}

TEST_F(DistributionsFile, FailedWriteIsNotReportedAsSuccess)
{
    // A file size limit makes the write itself fail, even for root.
    test::StartSeeded(sim, host, "600", "0", "600", 11);
    test::RunUntil(sim, host, [&] { return sim.nStored >= 300; });
    ASSERT_GT(DistributionsText(sim).size(), 8192u);

    WriteAll(path, "previous export");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExportResult result = ExportDistributions(sim, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, std::string(std::strerror(EFBIG)).append(" writing ") + path.string());
    EXPECT_EQ(ReadAll(path), "previous export");
    EXPECT_EQ(StrayFiles(), 0);
}

TEST(DistributionsFilePath, FixedNameInTheTemporaryDirectory)
{
    const fs::path path = DistributionsFilePath();
    EXPECT_EQ(path.filename(), "distributions.xls");
    EXPECT_EQ(path.parent_path(), fs::temp_directory_path());
}

} // namespace
} // namespace kormix
