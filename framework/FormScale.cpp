#include "framework/FormScale.h"

#include <QFont>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kDefaultPixels = 12.0; // 9 pt at 96 dpi
constexpr double kDesignDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

} // namespace

double FormScale(const QFont& font, double logicalDpi)
{
    const double pixels =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * logicalDpi / kPointsPerInch;
    return std::max(1.0, pixels / kDefaultPixels);
}

int Scaled(int pixels, double scale)
{
    return scale == 1.0 ? pixels : int(std::lround(pixels * scale));
}

QRect Scaled(const QRect& rect, double scale)
{
    const int left = Scaled(rect.left(), scale), top = Scaled(rect.top(), scale);
    return QRect(left, top, Scaled(rect.left() + rect.width(), scale) - left,
                 Scaled(rect.top() + rect.height(), scale) - top);
}

double ScaledPointSize(int pointSize, double scale, double logicalDpi)
{
    if (scale == 1.0 && logicalDpi == kDesignDpi)
        return pointSize;
    return pointSize * scale * kDesignDpi / logicalDpi;
}
