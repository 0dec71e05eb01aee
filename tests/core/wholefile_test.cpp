// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// Files written whole: writers killed at any moment leave nothing once the
// next write to the same file has run, and files put in place together
// never end up mixed with those of an earlier write.
#include "core/distributionsfile.h"
#include "core/simulation.h"
#include "core/wholefile.h"
#include "tests/common/files.h"
#ifndef _WIN32
#include "tests/common/killedwriter.h"
#endif
#include "tests/core/fakehost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kormix {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

class WholeFileTest : public ::testing::Test
{
protected:
    void SetUp() override { dir = test::scratchFolder("kormix-wholefile"); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

// Writers are killed in children made by fork, and by the file size limit:
// POSIX's.
#ifndef _WIN32

// Every writer of the program that goes through the whole-file writer: the
// equilibrium window's Save Data (and Save Picture) call it directly, the
// "Excel" export through ExportDistributions.
TEST_F(WholeFileTest, WritersKilledAnywhereLeaveNothingAfterTheNextWrite)
{
    test::FakeHost host;
    Simulation sim(&host);
    test::startSeeded(sim, host, "600", "0", "600", 11);
    test::runUntil(sim, host, [&] { return sim.nStored >= 300; });
    const std::string distributions = distributionsText(sim);
    const std::string data(256 * 1024, 'x');

    const struct
    {
        const char *what;
        fs::path path;
        std::function<void()> write;
        const std::string &text;
    } writers[] = {
            {"Save Data",
             dir / "equilibrium.tsv",
             [&] { writeWholeFile(dir / "equilibrium.tsv", data); },
             data},
            {"Excel",
             dir / "distributions.xls",
             [&] { ExportDistributions(sim, dir / "distributions.xls"); },
             distributions},
    };
    for (const auto &w : writers) {
        SCOPED_TRACE(w.what);
        writeAll(w.path, "previous");
        test::killManyTimes(w.write, 200, w.text.size(), std::chrono::microseconds(3000));
        // One more kill halfway through the file: it leaves its new file.
        test::killWhileWriting(w.write, w.text.size() / 2);
        EXPECT_GE(test::filesBesides(dir, {w.path}), 1);
        const std::string before = readAll(w.path);
        EXPECT_TRUE(before == "previous" || before == w.text);

        w.write();
        EXPECT_EQ(readAll(w.path), w.text);
        EXPECT_EQ(test::filesBesides(dir, {writers[0].path, writers[1].path}), 0);
    }
}

#endif

TEST_F(WholeFileTest, FilesPutInPlaceTogetherAreNeverMixedWithAnEarlierWrite)
{
    const char *names[] = {"a.txt", "b.txt", "c.txt"};
    for (const char *name : names)
        writeAll(dir / name, std::string("earlier ") + name);
    std::array<WholeFile, 3> files{WholeFile(dir / names[0]),
                                   WholeFile(dir / names[1]),
                                   WholeFile(dir / names[2])};
    for (WholeFile &file : files) {
        ASSERT_TRUE(file.open().ok);
        ASSERT_TRUE(file.write("new " + file.target().filename().string()).ok);
    }
    // Until they are put in place, the earlier files stay as they were.
    for (const char *name : names)
        EXPECT_EQ(readAll(dir / name), std::string("earlier ") + name);

    // b.txt cannot be replaced: a folder with something in it stands there now.
    fs::remove(dir / "b.txt");
    fs::create_directories(dir / "b.txt" / "inside");
    const ExportResult result = replaceTogether(files);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.outcome, ExportResult::Outcome::FailedReplacing);
    EXPECT_EQ(result.path, (dir / "b.txt").string());
    EXPECT_EQ(result.message, result.systemError + " replacing " + result.path);

    EXPECT_EQ(readAll(dir / "a.txt"), "new a.txt");
    EXPECT_TRUE(fs::is_directory(dir / "b.txt" / "inside"));
    EXPECT_FALSE(fs::exists(dir / "c.txt")); // the earlier c.txt does not stay beside the new a.txt
    EXPECT_EQ(test::filesBesides(dir, {"a.txt", "b.txt"}), 0);

    // All in place: every file is new.
    fs::remove_all(dir / "b.txt");
    for (WholeFile &file : files) {
        ASSERT_TRUE(file.open().ok);
        ASSERT_TRUE(file.write("again " + file.target().filename().string()).ok);
    }
    EXPECT_TRUE(replaceTogether(files).ok);
    for (const char *name : names)
        EXPECT_EQ(readAll(dir / name), std::string("again ") + name);
    EXPECT_EQ(test::filesBesides(dir, {"a.txt", "b.txt", "c.txt"}), 0);
}

TEST_F(WholeFileTest, ANewFileNotPutInPlaceIsRemoved)
{
    writeAll(dir / "kept.txt", "kept");
    {
        WholeFile file(dir / "kept.txt");
        ASSERT_TRUE(file.open().ok);
        EXPECT_EQ(test::filesBesides(dir, {"kept.txt"}), 1);
        ASSERT_TRUE(file.write("never in place").ok);
    }
    EXPECT_EQ(readAll(dir / "kept.txt"), "kept");
    EXPECT_EQ(test::filesBesides(dir, {"kept.txt"}), 0);
}

#ifdef _WIN32

// Windows' own words for its errors, in the user's language, as UTF-8: the C++
// library gives them in the ANSI code page, which cannot write every
// language's letters. ctest runs this in Russian too (SystemErrorText.InRussian).
TEST(SystemErrorText, IsWindowsOwnTextInUtf8)
{
    const bool russian = PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_RUSSIAN;
    for (const DWORD code : {ERROR_FILE_NOT_FOUND,
                             ERROR_PATH_NOT_FOUND,
                             ERROR_ACCESS_DENIED,
                             ERROR_SHARING_VIOLATION,
                             ERROR_DISK_FULL}) {
        SCOPED_TRACE(code);
        const std::string text = systemErrorText(std::error_code(int(code), std::system_category()));
        const int n = ::MultiByteToWideChar(CP_UTF8,
                                            MB_ERR_INVALID_CHARS,
                                            text.data(),
                                            int(text.size()),
                                            nullptr,
                                            0);
        ASSERT_GT(n, 0) << "not UTF-8: " << text;
        std::wstring wide(std::size_t(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), n);
        wchar_t system[512];
        const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM
                                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                              nullptr,
                                              code,
                                              0,
                                              system,
                                              512,
                                              nullptr);
        // The system's text without its closing full stop and line end.
        const std::wstring whole(system, length);
        ASSERT_FALSE(wide.empty());
        EXPECT_EQ(whole.rfind(wide, 0), 0u);
        EXPECT_EQ(whole.find_first_not_of(L". \r\n", wide.size()), std::wstring::npos);
        if (russian) {
            EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; }));
        }
    }
}

#endif

} // namespace
} // namespace kormix
