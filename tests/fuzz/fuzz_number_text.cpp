// libFuzzer target for the number text conversions. Every input is read twice: as text that a
// person might type (Val must return without fault, and what it returns must survive a round
// trip), and, from its first eight bytes, as the bits of a double (Val(Str(x)) must be x).

#include "framework/NumberText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool sameDouble(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void expectRoundTrip(double x)
{
    if (!sameDouble(Val(Str(x)), x))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = Val(typed);
    expectRoundTrip(value);

    // ',' and '.' are the same decimal separator.
    QString withPoints = typed;
    withPoints.replace(u',', u'.');
    if (!sameDouble(Val(withPoints), value))
        std::abort();

    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        expectRoundTrip(bits);
    }
    return 0;
}
