// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/distributionsfile.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "tests/common/environment.h"
#include "tests/common/files.h"
#include "tests/core/fakehost.h"
#ifndef _WIN32
#include "tests/common/killedwriter.h"
#else
#include "tests/common/heldopen.h"
#include "tests/common/wine.h"
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <span>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kormix {
namespace {

namespace fs = std::filesystem;
using Outcome = ExportResult::Outcome;
using test::FakeHost;
using test::readAll;
using test::writeAll;

// New files that killed exports left beside the distributions file, which the
// next export removes, and files of other names, which it leaves alone.
const char *const kLeftovers[] = {"distributions.xls.0123456789abcdef.tmp",
                                  "distributions.xls.fedcba9876543210.tmp"};
const char *const kNotLeftovers[] = {"distributions.xls.0123456789ABCDEF.tmp", // not of its making
                                     "distributions.xls.0123456789abcde.tmp",
                                     "distributions.xls.0123456789abcdefa.tmp",
                                     "distributions.xls.0123456789abcdef.txt",
                                     "distributions.xls.tmp",
                                     "other.xls.0123456789abcdef.tmp",
                                     "notes.txt"};

// A scratch directory of its own for each test.
class DistributionsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::scratchFolder("kormix-test");
        path = dir / "distributions.xls";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    // Files in the directory other than the ones named: left-over temporaries.
    int strayFiles(std::initializer_list<fs::path> known = {})
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
    void smallRegister()
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
    smallRegister();
    const std::string header = "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq\r\n";
    // Sorted by HD fraction, although 2 HD was found first.
    EXPECT_EQ(
            distributionsText(sim),
            header
                    + " 1 \t1\t1\t0\t0\t0.693147180559945\t2\t0.333333333333333\t0.5\t1\t0.25\r\n"
                      " 2 \t0\t0\t2\t100\t1.38629436111989\t4\t0.666666666666667\t1\t3\t0.75\r\n");

    sim.decimalPoint = ',';
    EXPECT_EQ(
            distributionsText(sim),
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
    const std::string text = distributionsText(sim);
    const std::string line = text.substr(text.find("\r\n") + 2);
    EXPECT_EQ(line.rfind(" 1 \t12\t8\t10\t33.3333333333333\t", 0), 0u) << line;
    EXPECT_NE(line.find("\t1\t1\t1\t1\r\n"), std::string::npos)
            << line; // P, P_rel, freq, P_from_freq
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

TEST_F(DistributionsFile, ProbabilitiesOfARunAddUpToOne)
{
    test::startSeeded(sim, host, "20", "0", "20", 5);
    test::runFor(sim, host, 3000);

    std::istringstream lines(distributionsText(sim));
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
    smallRegister();
    writeAll(path, "an older export, much longer than the new one will be .......................");
    const ExportResult first = ExportDistributions(sim, path);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(first.message, "File " + path.string() + " was created");
    // What the message is made of, for a window that words it itself.
    EXPECT_EQ(first.outcome, ExportResult::Outcome::Written);
    EXPECT_EQ(first.path, path.string());
    EXPECT_EQ(first.systemError, "");
    const std::string text = readAll(path);
    EXPECT_EQ(text, distributionsText(sim));
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_EQ(readAll(path), text);
    EXPECT_EQ(strayFiles(), 0);
}

TEST_F(DistributionsFile, MissingDirectoryIsCreated)
{
    smallRegister();
    const fs::path nested = dir / "temp" / "distributions.xls";
    EXPECT_TRUE(ExportDistributions(sim, nested).ok);
    EXPECT_EQ(readAll(nested), distributionsText(sim));
}

// Symbolic links need a privilege on Windows, and Wine makes none: a planted link
// is tested on POSIX systems.
#ifndef _WIN32
TEST_F(DistributionsFile, PlantedLinkIsReplacedNotFollowed)
{
    smallRegister();
    const fs::path victim = dir / "victim";
    writeAll(victim, "keep me");
    fs::create_symlink(victim, path);
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_EQ(readAll(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(readAll(path), distributionsText(sim));
}
#endif

TEST_F(DistributionsFile, FailuresAreReportedAndLeaveWhatWasThere)
{
    smallRegister();
#ifdef _WIN32
    // Windows finds no folder of that name, and says so in its own words.
    const std::string underAFile = std::system_category().message(ERROR_PATH_NOT_FOUND);
#else
    const std::string underAFile = std::strerror(ENOTDIR);
#endif
    // The directory is a plain file: nothing can be created in it.
    const fs::path notADir = dir / "plainfile";
    writeAll(notADir, "plain");
    const fs::path inside = notADir / "distributions.xls";
    ExportResult result = ExportDistributions(sim, inside);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, underAFile + " opening " + inside.string());
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedOpening);
    EXPECT_EQ(result.systemError, underAFile);
    EXPECT_EQ(result.path, inside.string());
    EXPECT_EQ(readAll(notADir), "plain");

    // A directory stands at the path: it cannot be replaced by the file.
    fs::create_directories(path / "sub");
    result = ExportDistributions(sim, path);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(" replacing " + path.string()), std::string::npos)
            << result.message;
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedReplacing);
    EXPECT_FALSE(result.systemError.empty());
    EXPECT_EQ(result.message, result.systemError + " replacing " + result.path);
    EXPECT_EQ(result.path, path.string());
    EXPECT_TRUE(fs::is_directory(path / "sub"));
    EXPECT_EQ(strayFiles({notADir}), 0);
}

TEST_F(DistributionsFile, FallbackIsUsedOnlyWhenTheFileCannotBeMadeAtItsPlace)
{
    smallRegister();
    const fs::path fallback = dir / "fallback" / "distributions.xls";
    writeAll(dir / "plainfile", "plain");
    struct Row
    {
        const char *what;
        fs::path place;
        fs::path backup;
        fs::path written; // empty: none
    };
    const Row rows[] = {
            {"the place can be used", path, fallback, path},
            {"its folder is a file", dir / "plainfile" / "distributions.xls", fallback, fallback},
            {"no fallback", dir / "plainfile" / "distributions.xls", {}, {}},
            // A folder at the file's place is no reason to write elsewhere: it is reported.
            {"a folder at the place", dir / "taken", fallback, {}},
    };
    fs::create_directories(dir / "taken" / "sub");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(fallback.parent_path());
        fs::remove(path);
        const ExportResult result = exportWithFallback(sim, row.place, row.backup);
        EXPECT_EQ(result.ok, !row.written.empty()) << result.message;
        if (!row.written.empty()) {
            EXPECT_EQ(result.path, row.written.string());
            EXPECT_EQ(result.message, "File " + row.written.string() + " was created");
            EXPECT_EQ(readAll(row.written), distributionsText(sim));
        }
        EXPECT_EQ(fs::exists(fallback), row.written == fallback);
    }
}

// Permissions of a folder and limits of a file's size are POSIX's; on Windows a
// read-only file or one held open stops the replacing instead (below).
#ifndef _WIN32
TEST_F(DistributionsFile, UnwritableDirectoryIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    smallRegister();
    writeAll(path, "previous");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const ExportResult result = ExportDistributions(sim, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              std::string(std::strerror(EACCES)).append(" opening ") + path.string());
    EXPECT_EQ(readAll(path), "previous");
}

TEST_F(DistributionsFile, FailedWriteIsNotReportedAsSuccess)
{
    // A file size limit makes the write itself fail, even for root.
    test::startSeeded(sim, host, "600", "0", "600", 11);
    test::runUntil(sim, host, [&] { return sim.nStored >= 300; });
    ASSERT_GT(distributionsText(sim).size(), 8192u);

    writeAll(path, "previous export");
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
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedWriting);
    EXPECT_EQ(result.systemError, std::strerror(EFBIG));
    EXPECT_EQ(readAll(path), "previous export");
    EXPECT_EQ(strayFiles(), 0);
}

TEST(DistributionsFilePath, FixedNameInTheUsersOwnDirectoryInTheTemporaryDirectory)
{
    const fs::path path = distributionsFilePath();
    EXPECT_EQ(path.filename(), "distributions.xls");
    EXPECT_EQ(path.parent_path().filename(), "kormix-" + std::to_string(::geteuid()));
    EXPECT_EQ(path.parent_path().parent_path(), fs::absolute(fs::temp_directory_path()));
    EXPECT_EQ(fallbackDistributionsFilePath(), fs::path());
}

// The fixed place, with TMPDIR pointed at a scratch directory of the test's
// own. The user's other folders (the runtime directory and the home folder)
// are not set unless a test sets them: the usual place is then the only one.
class PrivatePlace : public ::testing::Test
{
public:
    void SetUp() override
    {
        scratch = test::scratchFolder("kormix-test");
        environment.set("TMPDIR", scratch.string());
        environment.unset("XDG_RUNTIME_DIR");
        environment.unset("HOME");
        dir = scratch / ("kormix-" + std::to_string(::geteuid()));
        path = dir / "distributions.xls";
        smallRegister();
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }

    void smallRegister()
    {
        sim.bSaveAll = true;
        sim.nMolecules = 2;
        sim.nH2 = sim.nD2 = 1;
        sim.nHD = 0;
        sim.BeginCollisions();
    }

    // Every file and directory under the scratch directory, with the content of
    // the files, as it stands.
    std::map<std::string, std::string> tree() const
    {
        std::map<std::string, std::string> tree;
        for (const auto &entry : fs::recursive_directory_iterator(scratch)) {
            const std::string name = fs::relative(entry.path(), scratch).string();
            if (entry.is_symlink())
                tree[name] = "-> " + fs::read_symlink(entry.path()).string();
            else if (entry.is_directory())
                tree[name] = "/";
            else if (entry.is_fifo())
                tree[name] = "|";
            else
                tree[name] = readAll(entry.path());
        }
        return tree;
    }

    static fs::perms Mode(const fs::path &p) { return fs::symlink_status(p).permissions(); }

    fs::path scratch, dir, path;
    test::ScopedEnvironment environment;
    FakeHost host;
    Simulation sim{&host};
};

TEST_F(PrivatePlace, TheDirectoryIsMadeForTheUserAloneInTmpdir)
{
    EXPECT_EQ(distributionsFilePath(), path);
    const mode_t oldMask = ::umask(0); // the directory's mode does not depend on the mask
    const ExportResult result = ExportDistributions(sim);
    ::umask(oldMask);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "File " + path.string() + " was created");
    EXPECT_EQ(readAll(path), distributionsText(sim));
    EXPECT_FALSE(fs::is_symlink(dir));
    EXPECT_EQ(Mode(dir), fs::perms::owner_all);
    struct stat st;
    ASSERT_EQ(::lstat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, ::geteuid());

    // The next export uses the directory it made, and replaces the file.
    writeAll(path, "an older export");
    EXPECT_TRUE(ExportDistributions(sim).ok);
    EXPECT_EQ(readAll(path), distributionsText(sim));
    EXPECT_EQ(tree().size(), 2u); // the directory and the file
}

TEST_F(PrivatePlace, RelativeTmpdirGivesAFullPath)
{
    const fs::path oldCwd = fs::current_path();
    fs::current_path(scratch);
    environment.set("TMPDIR", ".");
    const fs::path fixed = distributionsFilePath();
    const ExportResult result = ExportDistributions(sim);
    fs::current_path(oldCwd);
    EXPECT_TRUE(fixed.is_absolute()) << fixed;
    EXPECT_EQ(fs::weakly_canonical(fixed), fs::weakly_canonical(path));
    EXPECT_EQ(result.message, "File " + fixed.string() + " was created");
    EXPECT_EQ(readAll(path), distributionsText(sim));
}

struct Refusal
{
    const char *what;
    std::function<void(const fs::path &dir)> plant; // makes what is found at the place
    const char *reason;
    ExportResult::Outcome outcome;
};

// What stands at the place is refused: the message names the file and the
// directory, and nothing under the scratch directory changes.
void expectRefused(PrivatePlace &t, const Refusal &c)
{
    SCOPED_TRACE(c.what);
    for (const auto &entry : fs::directory_iterator(t.scratch))
        fs::remove_all(entry.path());
    c.plant(t.dir);
    const auto before = t.tree();

    const ExportResult result = ExportDistributions(t.sim);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Can't write " + t.path.string() + ": " + t.dir.string() + c.reason);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.path, t.path.string());
    EXPECT_EQ(result.directory, t.dir.string());
    EXPECT_EQ(t.tree(), before);
}

// What another user can leave at the usual place before the user's first
// export (a folder of another user's needs root to be made, and is tested
// on its own below).
std::vector<Refusal> takenPlaces()
{
    const auto dirWithMode = [](fs::perms mode) {
        return [mode](const fs::path &d) {
            fs::create_directory(d);
            writeAll(d / "distributions.xls", "previous");
            fs::permissions(d, mode);
        };
    };
    using P = fs::perms;
    return {
            {"readable by the group",
             dirWithMode(P::owner_all | P::group_read | P::group_exec),
             " is open to other users",
             ExportResult::Outcome::DirectoryOpenToOthers},
            {"open to others",
             dirWithMode(P::owner_all | P::others_exec),
             " is open to other users",
             ExportResult::Outcome::DirectoryOpenToOthers},
            {"a shared directory like /tmp",
             dirWithMode(P::all | P::sticky_bit),
             " is open to other users",
             ExportResult::Outcome::DirectoryOpenToOthers},
            {"a link to a private directory",
             [](const fs::path &d) {
                 const fs::path target = d.parent_path() / "elsewhere";
                 fs::create_directory(target);
                 fs::permissions(target, P::owner_all);
                 fs::create_directory_symlink(target, d);
             },
             " is a link, not a directory",
             ExportResult::Outcome::DirectoryIsLink},
            {"a link to nowhere",
             [](const fs::path &d) { fs::create_symlink(d.parent_path() / "nowhere", d); },
             " is a link, not a directory",
             ExportResult::Outcome::DirectoryIsLink},
            {"a plain file",
             [](const fs::path &d) { writeAll(d, "plain"); },
             " is not a directory",
             ExportResult::Outcome::NotADirectory},
            {"a FIFO",
             [](const fs::path &d) { ASSERT_EQ(::mkfifo(d.c_str(), 0600), 0); },
             " is not a directory",
             ExportResult::Outcome::NotADirectory},
    };
}

TEST_F(PrivatePlace, ADirectoryOpenToOthersOrALinkOrAFileIsRefusedAndNothingWritten)
{
    for (const Refusal &c : takenPlaces())
        expectRefused(*this, c);
}

// A private folder of another user's at the usual place (only root can make one).
Refusal otherUsersFolder()
{
    return {"owned by another user",
            [](const fs::path &d) {
                fs::create_directory(d);
                writeAll(d / "distributions.xls", "previous");
                fs::permissions(d, fs::perms::owner_all);
                ASSERT_EQ(::chown(d.c_str(), ::geteuid() + 1000, ::getegid()), 0)
                        << std::strerror(errno);
            },
            " belongs to another user",
            ExportResult::Outcome::DirectoryOfOtherUser};
}

TEST_F(PrivatePlace, ADirectoryOfAnotherUserIsRefusedAndNothingWritten)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a directory to another user";
    expectRefused(*this, otherUsersFolder());
}

// Whatever another user left at the usual place, the file goes to a folder
// of the user's own that nobody else can make: kormix in the runtime
// directory, else in the cache folder. The message names where it went, and
// what stands at the usual place stays as it was.
TEST_F(PrivatePlace, ATakenPlaceSendsTheFileToAFolderNobodyElseCanMake)
{
    std::vector<Refusal> taken = takenPlaces();
    if (::geteuid() == 0)
        taken.push_back(otherUsersFolder());
    const fs::path runtime = scratch / "run", home = scratch / "home";
    const struct
    {
        const char *what;
        bool runtimeSet, runtimeTaken;
        fs::path folder; // where the file is to go
    } fallbacks[] = {
            {"the runtime directory", true, false, runtime / "kormix"},
            {"no runtime directory: the cache folder", false, false, home / ".cache" / "kormix"},
            {"the runtime directory's taken too: the cache folder",
             true,
             true,
             home / ".cache" / "kormix"},
    };
    // Everything but the user's own folders, which the export may change.
    const auto othersOf = [&](std::map<std::string, std::string> tree) {
        std::erase_if(tree, [](const auto &entry) {
            return entry.first.rfind("run", 0) == 0 || entry.first.rfind("home", 0) == 0;
        });
        return tree;
    };
    for (const Refusal &t : taken) {
        for (const auto &f : fallbacks) {
            SCOPED_TRACE(std::string(t.what) + ", " + f.what);
            for (const auto &entry : fs::directory_iterator(scratch))
                fs::remove_all(entry.path());
            t.plant(dir);
            fs::create_directory(runtime);
            fs::permissions(runtime, fs::perms::owner_all);
            fs::create_directory(home);
            if (f.runtimeTaken)
                fs::create_directory_symlink(scratch, runtime / "kormix");
            environment.set("HOME", home.string());
            if (f.runtimeSet)
                environment.set("XDG_RUNTIME_DIR", runtime.string());
            else
                environment.unset("XDG_RUNTIME_DIR");
            const auto before = othersOf(tree());
            const fs::path file = f.folder / "distributions.xls";
            EXPECT_EQ(distributionsFilePath(), file);

            const ExportResult result = ExportDistributions(sim);
            EXPECT_TRUE(result.ok);
            EXPECT_EQ(result.message, "File " + file.string() + " was created");
            EXPECT_EQ(result.path, file.string());
            EXPECT_EQ(readAll(file), distributionsText(sim));
            EXPECT_EQ(Mode(f.folder), fs::perms::owner_all);
            EXPECT_EQ(Mode(f.folder.parent_path()), fs::perms::owner_all); // .cache too
            EXPECT_EQ(othersOf(tree()), before);
            EXPECT_EQ(distributionsFilePath(), file);
        }
    }
}

TEST_F(PrivatePlace, ADirectoryThatCannotBeMadeIsReported)
{
    // Nobody, root included, makes a directory in /proc.
    if (!fs::is_directory("/proc"))
        GTEST_SKIP() << "no /proc";
    environment.set("TMPDIR", "/proc");
    const fs::path fixed = distributionsFilePath();
    ASSERT_EQ(fixed.parent_path().parent_path(), "/proc");
    const ExportResult result = ExportDistributions(sim);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, std::string(std::strerror(ENOENT)) + " opening " + fixed.string());
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedOpening);
    EXPECT_EQ(result.systemError, std::strerror(ENOENT));
}

TEST_F(PrivatePlace, LeftoversOfKilledExportsAreSweptAndNothingElse)
{
    ASSERT_TRUE(ExportDistributions(sim).ok);
    const auto &leftovers = kLeftovers;
    for (const char *name : leftovers)
        writeAll(dir / name, "half an export");
    const auto &others = kNotLeftovers;
    for (const char *name : others)
        writeAll(dir / name, name);
    // Not a file: left alone.
    fs::create_directory(dir / "distributions.xls.1111111111111111.tmp");
    fs::create_symlink(dir / "notes.txt", dir / "distributions.xls.3333333333333333.tmp");
    // An export still writing holds its new file locked: it is no leftover.
    const fs::path live = dir / "distributions.xls.2222222222222222.tmp";
    writeAll(live, "being written");
    const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    EXPECT_TRUE(ExportDistributions(sim).ok);
    ::close(fd);

    EXPECT_EQ(readAll(path), distributionsText(sim));
    for (const char *name : leftovers)
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / name))) << name;
    for (const char *name : others)
        EXPECT_EQ(readAll(dir / name), name);
    EXPECT_TRUE(fs::is_directory(dir / "distributions.xls.1111111111111111.tmp"));
    EXPECT_TRUE(fs::is_symlink(dir / "distributions.xls.3333333333333333.tmp"));
    EXPECT_EQ(readAll(live), "being written");
}

// Exports killed while they write: the file size limit kills the process at
// its first write past the limit, halfway through the file.
TEST_F(PrivatePlace, ExportsKilledHalfwayLeaveNothingAfterTheNextExport)
{
    test::startSeeded(sim, host, "600", "0", "600", 11);
    test::runUntil(sim, host, [&] { return sim.nStored >= 300; });
    const std::string text = distributionsText(sim);
    ASSERT_GT(text.size(), 3 * 8192u);
    ASSERT_TRUE(ExportDistributions(sim).ok);
    writeAll(path, "previous export");

    // Each export sweeps what the one killed before it left, even one that is
    // killed itself: one leftover at a time, never more.
    for (int kill = 0; kill < 3; ++kill) {
        SCOPED_TRACE(kill);
        int status = 0;
        test::killWhileWriting([&] { ExportDistributions(sim); }, 8192, {}, &status);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), SIGXFSZ);

        int left = 0;
        for (const auto &entry : fs::directory_iterator(dir)) {
            if (entry.path() != path) {
                ++left;
                EXPECT_EQ(readAll(entry.path()), text.substr(0, 8192));
            }
        }
        EXPECT_EQ(left, 1);
        EXPECT_EQ(readAll(path), "previous export");
    }

    EXPECT_TRUE(ExportDistributions(sim).ok);
    EXPECT_EQ(readAll(path), text);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// An export stopped in the middle of its writing (as a slow disk or a
// debugger would hold it) keeps its new file: another export's sweep leaves
// it alone until the process is gone.
TEST_F(PrivatePlace, AnExportStillWritingIsLeftAloneBySweeps)
{
    test::startSeeded(sim, host, "600", "0", "600", 11);
    test::runUntil(sim, host, [&] { return sim.nStored >= 300; });
    ASSERT_GT(distributionsText(sim).size(), 3 * 8192u);
    ASSERT_TRUE(ExportDistributions(sim).ok);

    std::cout.flush();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit small{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, [](int) { ::raise(SIGSTOP); });
        ExportDistributions(sim);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
    ASSERT_TRUE(WIFSTOPPED(status)) << status;
    const auto leftovers = [&] {
        return std::distance(fs::directory_iterator(dir), fs::directory_iterator()) - 1;
    };
    EXPECT_EQ(leftovers(), 1);

    EXPECT_TRUE(ExportDistributions(sim).ok);
    EXPECT_EQ(leftovers(), 1); // still being written

    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(ExportDistributions(sim).ok);
    EXPECT_EQ(leftovers(), 0);
    EXPECT_EQ(readAll(path), distributionsText(sim));
}

#else

TEST(DistributionsFilePath, FixedPlaceAndTheUsersOwnTemporaryFolderAfterIt)
{
    EXPECT_EQ(distributionsFilePath(), fs::path("C:\\temp\\distributions.xls"));
    EXPECT_EQ(fallbackDistributionsFilePath(),
              fs::temp_directory_path() / "kormix" / "distributions.xls");
}

// The fixed place, C:\temp, is made when it is missing; where it cannot be
// used, the file goes to the user's own temporary folder and the message names
// it. Only in the build's own Wine prefix: on a Windows of the user's, the test
// would take C:\temp away.
TEST_F(DistributionsFile, CTempIsMadeWhenMissingAndTheUsersTemporaryFolderServesWhenItCannotBe)
{
    if (!test::underWine())
        GTEST_SKIP() << "C:\\temp is the user's own on Windows";
    smallRegister();
    const fs::path temp = "C:\\temp";
    fs::remove_all(temp);
    ExportResult result = ExportDistributions(sim);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.path, "C:\\temp\\distributions.xls");
    EXPECT_EQ(result.message, "File C:\\temp\\distributions.xls was created");
    EXPECT_EQ(readAll(temp / "distributions.xls"), distributionsText(sim));

    // A plain file where the folder should be, as a locked-down PC forbids it.
    fs::remove_all(temp);
    writeAll(temp, "not a folder");
    test::ScopedEnvironment environment;
    environment.set("TMP", dir.string());
    environment.set("TEMP", dir.string());
    const fs::path fallback = dir / "kormix" / "distributions.xls";
    result = ExportDistributions(sim);
    fs::remove(temp);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.path, pathText(fallback));
    EXPECT_EQ(result.message, "File " + pathText(fallback) + " was created");
    EXPECT_EQ(readAll(fallback), distributionsText(sim));
}

// A file that another program holds open (Excel holds the workbooks it
// shows) cannot be replaced on Windows: the message says so and why, and the
// file stays as it was until the program lets it go.
TEST_F(DistributionsFile, AFileOpenInAnotherProgramIsKeptAndTheMessageSaysWhy)
{
    smallRegister();
    writeAll(path, "previous");
    {
        const test::HeldOpen excel(path);
        ASSERT_TRUE(excel.isOpen());
        const ExportResult result = ExportDistributions(sim, path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.outcome, ExportResult::Outcome::ReplaceRefused);
        EXPECT_FALSE(result.systemError.empty());
        EXPECT_EQ(result.message,
                  result.systemError + " replacing " + result.path
                          + ": the file is open in another program (Excel, for example) or "
                            "read-only, and stays as it was");
        EXPECT_EQ(readAll(path), "previous");
        EXPECT_EQ(strayFiles(), 0);
    }
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_EQ(readAll(path), distributionsText(sim));
}

// Windows says "access denied" over a read-only file, "sharing violation" or
// "lock violation" over one held open. Wine replaces a read-only file all the
// same, so which errors count as a refusal is checked with the errors given.
TEST(ReplaceFailure, WindowsRefusalsOverAFileAreToldApartFromOtherFailures)
{
    const fs::path dir = test::scratchFolder("kormix-refusal");
    writeAll(dir / "file.xls", "previous");
    fs::create_directory(dir / "folder.xls");
    const auto system = [](int code) { return std::error_code(code, std::system_category()); };
    const struct
    {
        const char *what;
        std::error_code error;
        const char *target;
        ExportResult::Outcome outcome;
    } rows[] = {
            {"read-only", system(ERROR_ACCESS_DENIED), "file.xls", Outcome::ReplaceRefused},
            {"held open", system(ERROR_SHARING_VIOLATION), "file.xls", Outcome::ReplaceRefused},
            {"locked", system(ERROR_LOCK_VIOLATION), "file.xls", Outcome::ReplaceRefused},
            {"a folder", system(ERROR_ACCESS_DENIED), "folder.xls", Outcome::FailedReplacing},
            {"a full disk", system(ERROR_DISK_FULL), "file.xls", Outcome::FailedReplacing},
            {"the C library's",
             std::make_error_code(std::errc::permission_denied),
             "file.xls",
             Outcome::FailedReplacing},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const ExportResult result = replaceFailure(row.error, dir / row.target);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.outcome, row.outcome);
        EXPECT_EQ(result.systemError, systemErrorText(row.error));
        EXPECT_EQ(result.message.rfind(result.systemError + " replacing " + result.path, 0), 0u);
        EXPECT_EQ(result.message.find("open in another program") != std::string::npos,
                  row.outcome == Outcome::ReplaceRefused);
    }
    fs::remove_all(dir);
}

// What killed exports left is swept; a new file that a living writer still
// holds (it shares no deletion) is not.
TEST_F(DistributionsFile, LeftoversAreSweptButNotANewFileAWriterHolds)
{
    smallRegister();
    for (const char *name : kLeftovers)
        writeAll(dir / name, "half an export");
    // Windows' names ignore case: the first of the others is a leftover here.
    const std::span<const char *const> others = std::span(kNotLeftovers).subspan(1);
    for (const char *name : others)
        writeAll(dir / name, name);
    fs::create_directory(dir / "distributions.xls.1111111111111111.tmp");
    const fs::path live = dir / "distributions.xls.2222222222222222.tmp";
    writeAll(live, "being written");
    {
        const test::HeldOpen writer(live);
        ASSERT_TRUE(writer.isOpen());
        EXPECT_TRUE(ExportDistributions(sim, path).ok);
    }
    EXPECT_EQ(readAll(path), distributionsText(sim));
    for (const char *name : kLeftovers)
        EXPECT_FALSE(fs::exists(dir / name)) << name;
    for (const char *name : others)
        EXPECT_EQ(readAll(dir / name), name);
    EXPECT_TRUE(fs::is_directory(dir / "distributions.xls.1111111111111111.tmp"));
    EXPECT_EQ(readAll(live), "being written");

    // Let go, it is a leftover like any other.
    EXPECT_TRUE(ExportDistributions(sim, path).ok);
    EXPECT_FALSE(fs::exists(live));
}

// A folder whose name is no ANSI text can be written in and is named right.
TEST_F(DistributionsFile, AnyFolderNameIsWrittenInAndReportedInUtf8)
{
    smallRegister();
    const fs::path place = dir / fs::path(u8"J\u00f6rg \u5f20") / "distributions.xls";
    const ExportResult result = ExportDistributions(sim, place);
    EXPECT_TRUE(result.ok) << result.message;
    const std::u8string name = place.u8string();
    EXPECT_EQ(result.path, std::string(name.begin(), name.end()));
    EXPECT_EQ(readAll(place), distributionsText(sim));
}

#endif

} // namespace
} // namespace kormix
