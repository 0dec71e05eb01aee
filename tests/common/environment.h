// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Environment variables set or unset for the length of a test, and put back
// as they were after it.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace kormix::test {

class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;
    ~ScopedEnvironment()
    {
        for (const auto &[name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

    void set(const std::string &name, const std::string &value)
    {
        save(name);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    void unset(const std::string &name)
    {
        save(name);
        ::unsetenv(name.c_str());
    }

private:
    void save(const std::string &name)
    {
        if (saved_.count(name))
            return;
        const char *value = std::getenv(name.c_str());
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace kormix::test
