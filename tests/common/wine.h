// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Windows only: whether the tests run under Wine. Wine's own library has a
// function Windows' lacks.
#pragma once

#include <windows.h>

namespace kormix::test {

inline bool underWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

} // namespace kormix::test
