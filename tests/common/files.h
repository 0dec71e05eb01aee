// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Whole-file reading and writing for tests that check what lands on disk, and
// scratch folders for them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace kormix::test {

inline std::string readAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeAll(const std::filesystem::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The test program's process id.
inline long processId()
{
#ifdef _WIN32
    return long(::_getpid());
#else
    return long(::getpid());
#endif
}

// A path in the temporary folder of the running test's own: `prefix`, the
// process id and the test's name, so that runs at the same time never meet.
inline std::filesystem::path scratchPath(const std::string &prefix)
{
    return std::filesystem::temp_directory_path()
           / (prefix + std::to_string(processId()) + "-"
              + ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// An empty folder of the running test's own in the system's temporary
// directory, named after the prefix, the process and the test.
inline std::filesystem::path scratchFolder(const std::string &prefix)
{
    const std::filesystem::path dir = scratchPath(prefix + "-");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The files in `dir` other than `keep`: what killed writers left.
inline int filesBesides(const std::filesystem::path &dir,
                        std::initializer_list<std::filesystem::path> keep)
{
    int n = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        bool kept = false;
        for (const auto &k : keep)
            kept = kept || entry.path().filename() == k.filename();
        n += kept ? 0 : 1;
    }
    return n;
}

} // namespace kormix::test
