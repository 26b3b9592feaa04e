// The program's icon for the desktop's menus: a corner of the dark ruler with a caliper on it.
#pragma once

#include <QImage>

#include <array>

// The sizes of the hicolor theme's PNG icons that desktops look for.
inline constexpr std::array kAppIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The icon drawn for SIZE by SIZE pixels.
QImage DrawAppIcon(int size);
