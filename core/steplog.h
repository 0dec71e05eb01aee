// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The last collisions of a run one by one, for a student stepping through it:
// which two molecules met, the coin an HD + HD pair tossed (and at a
// temperature the draw an H2 + D2 pair made), what came of it and how W
// changed. The collision loop keeps the log only while it is asked to (when
// the user steps); otherwise it costs nothing. The windows tell it in words
// (ui/common/steptext.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kormix {

// What a collision did to the pair.
enum class StepOutcome {
    Unchanged,   // the pair stayed as it was
    FormedTwoHd, // H2 + D2 -> 2 HD
    FormedH2D2,  // 2 HD -> H2 + D2
};

// One collision as the loop saw it.
struct StepEntry
{
    std::int64_t collision = 0; // its number in the run
    // The two molecules picked, by the numbers 1..N they keep from
    // collision to collision (core/moleculeroster.h), and their kinds
    // (0 = H2, 1 = HD, 2 = D2).
    std::int64_t first = 0;
    std::int64_t second = 0;
    int firstKind = 0;
    int secondKind = 0;
    // An HD + HD pair draws once more and reacts when the draw is above 0.5.
    bool coinTossed = false;
    float coin = 0;
    // At a temperature an H2 + D2 pair draws once more and reacts when the
    // draw is below the engine's K / 4 (a whole number of 2^-24).
    bool acceptanceDrawn = false;
    float acceptance = 0;
    float acceptBelow = 0;
    StepOutcome outcome = StepOutcome::Unchanged;
    double lnWBefore = 0;
    double lnWAfter = 0;

    bool operator==(const StepEntry &) const = default;
};

// The last kCapacity collisions, oldest first.
class StepLog
{
public:
    static constexpr std::size_t kCapacity = 20;

    // The collision loop logs its collisions while this is set.
    bool recording() const { return recording_; }
    void setRecording(bool on) { recording_ = on; }

    void add(const StepEntry &entry)
    {
        ring_[next_] = entry;
        next_ = (next_ + 1) % kCapacity;
        if (size_ < kCapacity)
            ++size_;
    }
    void clear()
    {
        size_ = 0;
        next_ = 0;
    }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }

    std::vector<StepEntry> entries() const;

private:
    std::array<StepEntry, kCapacity> ring_{};
    std::size_t next_ = 0;
    std::size_t size_ = 0;
    bool recording_ = false;
};

} // namespace kormix
