// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A writer killed in a child process, at a point of the test's choosing or at
// random, as a power cut or a kill -9 would stop the program.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kormix::test {

// Runs `write` in a child process and kills the child. With `sizeLimit` above
// 0 the file size limit kills it at its first write past that many bytes (a
// write that stays below the limit ends the child normally); otherwise it
// writes again and again until SIGKILL comes after `delay`. How the child
// ended goes to `status` when it is given.
inline void killWhileWriting(const std::function<void()> &write,
                             std::uintmax_t sizeLimit,
                             std::chrono::microseconds delay = {},
                             int *status = nullptr)
{
    std::cout.flush();
    std::cerr.flush();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit none{0, 0};
        ::setrlimit(RLIMIT_CORE, &none);
        if (sizeLimit > 0) {
            rlimit small{rlim_t(sizeLimit), rlim_t(sizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &small);
            std::signal(SIGXFSZ, SIG_DFL);
            write();
            ::_exit(0);
        }
        for (;;)
            write();
    }
    if (sizeLimit == 0) {
        ::usleep(useconds_t(delay.count()));
        ::kill(child, SIGKILL);
    }
    int ended = 0;
    ASSERT_EQ(::waitpid(child, &ended, 0), child);
    if (status)
        *status = ended;
}

// Kills `write` `kills` times, half of them by the file size limit somewhere
// inside a file of `size` bytes and half by SIGKILL at a random moment up to
// `longest`, each child sweeping what the one before it left.
inline void killManyTimes(const std::function<void()> &write,
                          int kills,
                          std::uintmax_t size,
                          std::chrono::microseconds longest)
{
    std::mt19937 random(12345);
    for (int kill = 0; kill < kills; ++kill) {
        if (kill % 2 == 0) {
            killWhileWriting(write, 1 + random() % (size - 1));
        } else {
            const auto delay = std::chrono::microseconds(random() % longest.count());
            killWhileWriting(write, 0, delay);
        }
    }
}

} // namespace kormix::test
