#pragma once

#include <QRect>
#include <QSize>

// Layouts are given in twips; at 15 twips a device-independent pixel they scale with the screen.
constexpr int Twips(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

constexpr QSize TwipsSize(int width, int height)
{
    return QSize(Twips(width), Twips(height));
}
