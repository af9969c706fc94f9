#pragma once
// A number's exact value as decimal digits: all that a field needs to tell which of its
// digits are right, whatever worked the value out.

#include <string>

struct ExactDecimal
{
    bool negative = false;
    std::string digits;      // leading significant digits, the first non-zero; empty for 0
    int exponent = 0;        // decimal exponent of the first digit: 1.5 has 0, 150 has 2
    bool moreFollow = false; // non-zero digits follow those given (they were cut, not rounded)
};
