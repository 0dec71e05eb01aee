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
                put(name, *value);
            else
                remove(name);
        }
    }

    void set(const std::string &name, const std::string &value)
    {
        save(name);
        put(name, value);
    }
    void unset(const std::string &name)
    {
        save(name);
        remove(name);
    }

private:
    // Windows' C runtime has no setenv; its _putenv_s changes the process's
    // environment too, where the system's calls (GetTempPathW) read it, and
    // an empty value removes the variable.
    static void put(const std::string &name, const std::string &value)
    {
#ifdef _WIN32
        ::_putenv_s(name.c_str(), value.c_str());
#else
        ::setenv(name.c_str(), value.c_str(), 1);
#endif
    }
    static void remove(const std::string &name)
    {
#ifdef _WIN32
        ::_putenv_s(name.c_str(), "");
#else
        ::unsetenv(name.c_str());
#endif
    }

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
