// The anchor for round trips: the same number of request/reply exchanges over loopback
// TCP with a server that only echoes.
#pragma once

#include <chrono>
#include <cstddef>

namespace tdslite::bench {

// Average time of one round trip of a message of this size.
std::chrono::nanoseconds echoRoundTrip(std::size_t messageBytes, int roundTrips);

} // namespace tdslite::bench
