// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace generator {

// Elapsed time for the thinning pass's limit, in seconds from an arbitrary
// fixed start. Injected so that tests can run the limit without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
};

// The real clock: a monotonic one, so that a change of the wall clock cannot
// end the pass early or make it run on.
class SteadyClock final : public Clock {
public:
    double seconds() override;
};

} // namespace generator
