#pragma once
// How many support points the calculation works with.

#include <algorithm>
#include <cstdint>

// The count field caps n at 10 but lets a negative number through. The calculation takes a
// negative count like no points at all, so that no index below 0 is ever used; n itself keeps
// what the count field made of its text.
inline std::int32_t pointsInUse(std::int32_t n)
{
    return std::max(n, std::int32_t{0});
}
