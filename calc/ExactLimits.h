#pragma once
// How much text the exact reading takes, for those who must keep within it without GMP.

#include <QtGlobal>

// Texts longer than this many mantissa digits are not read exactly; it bounds the work.
constexpr qsizetype kMostExactDigits = 1000;

// The longest text an input field holds: any text of that length has at most kMostExactDigits
// digits, so whatever a person can type or paste is read exactly.
constexpr qsizetype kMostInputLength = kMostExactDigits;
