#pragma once

// Window geometry is given in twips; 15 twips are one pixel at 96 dpi.
constexpr int Twips(int twips)
{
    return twips / 15;
}

constexpr int ToTwips(int pixels)
{
    return pixels * 15;
}
