// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The C library's numbers in German (decimal comma) for the length of a test,
// as a process started under LANG=de_DE.UTF-8 has them once Qt has called
// setlocale. The previous setting comes back at the end.
#pragma once

#include <clocale>
#include <cstring>
#include <string>

namespace kormix::test {

class GermanNumbers
{
public:
    GermanNumbers()
    {
        const char *current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current ? current : "C";
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_NUMERIC, name)) {
                name_ = name;
                break;
            }
        }
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    GermanNumbers(const GermanNumbers &) = delete;
    GermanNumbers &operator=(const GermanNumbers &) = delete;

    // True when the C library now writes a decimal comma. Without a German
    // locale on the machine the test could not show anything, so it fails
    // instead of passing: scripts/setup.sh generates de_DE.UTF-8.
    bool active() const
    {
        return !name_.empty() && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }
    static constexpr const char *kMissing
            = "no German locale (de_DE.UTF-8) on this machine: scripts/setup.sh generates it";

private:
    std::string previous_;
    std::string name_;
};

} // namespace kormix::test
