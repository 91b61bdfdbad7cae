// Delay: waits while the windows keep working (painting, input, timers).
#pragma once

namespace zarn {

// Returns after `msecs` milliseconds; window messages are processed all the
// while, so the windows stay painted and responsive.
void Delay(int msecs);

}  // namespace zarn
