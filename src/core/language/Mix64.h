#pragma once

#include <cstdint>

namespace quirel {

// Spreads every bit of h over the whole 64-bit result (an invertible finaliser: distinct inputs give
// distinct outputs). The last step of the program's hashes: the word lists' index and filter, and the
// accent model's keys. Those keys are stored in tildes.dat, so the constants are part of that file
// format: never change them.
constexpr std::uint64_t Mix64(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    return h;
}

} // namespace quirel
