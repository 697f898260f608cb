#include "TzkPrintOptions.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace reelkeep {

int Nearest(double value)
{
    constexpr double limit = 1 << 30;
    if (std::isnan(value))
        return 0;
    if (value > limit)
        return static_cast<int>(limit);
    if (value < -limit)
        return -static_cast<int>(limit);
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

namespace {

const QScreen* primaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
}

} // namespace

double ScreenDpiX()
{
    const QScreen* screen = primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double ScreenDpiY()
{
    const QScreen* screen = primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace reelkeep
