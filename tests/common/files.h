// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Whole-file reading and writing for tests that check what lands on disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

} // namespace kormix::test
