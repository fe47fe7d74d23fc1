// How long the corner capture may still wait for a packet. Window-free: the
// capture reads the tick count and arms its timer from the answer.
#pragma once

#include <cstdint>

// Milliseconds left of the inactivity period, given the 32-bit tick count
// now and at the last packet (it wraps after 49.7 days); 0 when it is over.
constexpr uint32_t InactivityLeft(uint32_t now, uint32_t lastPacket, uint32_t period) {
    uint32_t quiet = now - lastPacket;
    return quiet < period ? period - quiet : 0;
}
