// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The clock of a slowed-down run: at 10 or 100 collisions a second the loop
// waits at every event service until the next collision is due, serving the
// user meanwhile so that a stop is taken within a few milliseconds.
#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

namespace kormix::ui {

class Pacer
{
public:
    // Collisions per second; 0 runs at full speed (nothing to wait for).
    void setRate(std::int64_t perSecond) { rate_ = perSecond; }
    std::int64_t rate() const { return rate_; }

    // The pace counts from here: the collision the run has reached, now.
    void restart(std::int64_t collisions);

    // Waits until the collision after `collisions()` is due. Every couple of
    // milliseconds meanwhile it calls `serve`, which serves the user and
    // returns false once the wait must end (a stop, full speed chosen).
    // `collisions` is asked again after every service: a nested handler may
    // have begun a new run, which then starts the pace afresh. With
    // `everyCollision` it serves at least once, even when the next collision
    // is due already, so that windows that show each collision see each one.
    void wait(const std::function<std::int64_t()> &collisions,
              const std::function<bool()> &serve,
              bool everyCollision = false);

private:
    std::int64_t dueNs(std::int64_t collisions) const;

    std::int64_t rate_ = 0;
    std::int64_t from_ = 0; // the collision the pace counts from
    QElapsedTimer clock_;
    QElapsedTimer sinceService_;
};

} // namespace kormix::ui
