// SPDX-License-Identifier: GPL-3.0-or-later
#include "generator_clock.h"

#include <chrono>

namespace generator {

double SteadyClock::seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace generator
