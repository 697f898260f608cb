#include "TzkPrintOptions.h"

#include "Rounding.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace reelkeep {

int Nearest(double value)
{
    constexpr double limit = 1 << 30;
    return static_cast<int>(RoundHalfEven(std::clamp(value, -limit, limit)));
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
