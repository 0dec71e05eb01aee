// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Windows only: a file held open by another program, as Excel holds the
// workbooks it shows. Reading and writing are shared, deletion is not, so
// Windows refuses to remove, rename or replace the file while it is held.
#pragma once

#include <filesystem>

#include <windows.h>

namespace kormix::test {

class HeldOpen
{
public:
    explicit HeldOpen(const std::filesystem::path &path)
        : handle_(::CreateFileW(path.c_str(),
                                GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr,
                                OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL,
                                nullptr))
    {}
    ~HeldOpen()
    {
        if (isOpen())
            ::CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen &) = delete;
    HeldOpen &operator=(const HeldOpen &) = delete;

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

} // namespace kormix::test
