// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/steplog.h"

namespace kormix {

std::vector<StepEntry> StepLog::entries() const
{
    std::vector<StepEntry> out;
    out.reserve(size_);
    const std::size_t first = (next_ + kCapacity - size_) % kCapacity;
    for (std::size_t i = 0; i < size_; ++i)
        out.push_back(ring_[(first + i) % kCapacity]);
    return out;
}

} // namespace kormix
