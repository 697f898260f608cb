// The millimetre-to-pixel mapping a cover and its shapes share while drawing.
#pragma once

namespace reelkeep {

// Nearest integer, halves to the even one; values beyond the int range are clamped
// so damaged layouts cannot overflow a coordinate.
int Nearest(double value);

// Resolution of the screen fonts are sized against (96 when there is no screen).
double ScreenDpiX();
double ScreenDpiY();

struct TzkPrintOptions {
    float ScaleX = 1.0f;    // pixels per millimetre, zoom included
    float ScaleY = 1.0f;
    float Zoom = 1.0f;
    float FontScale = 0.0f; // canvas vertical dpi / screen vertical dpi * Zoom
    float OffsetY = 5.0f;   // pixels added to every vertical coordinate
    float OffsetX = 5.0f;
    float PageHeight = 10.0f;
    float MarginX = 5.0f;

    int MapX(double mm) const { return Nearest(mm * ScaleX + OffsetX); }
    int MapY(double mm) const { return Nearest(mm * ScaleY + OffsetY); }
};

} // namespace reelkeep
