#pragma once
// What making a window clear sends to the native layer, in order.
#include <string>
#include <vector>

inline const std::vector<std::string> kMakeTransparentMessages = {
    "NSClassFromString NSColor",
    "sel_registerName colorWithCalibratedWhite:alpha:",
    "NSColor class colorWithCalibratedWhite:alpha: 1 0",
    "sel_registerName setBackgroundColor:",
    "NSWindow setBackgroundColor: NSColor(white 1, alpha 0)",
    "sel_registerName setOpaque:",
    "NSWindow setOpaque: NO",
    "sel_registerName invalidateShadow",
    "NSWindow invalidateShadow",
};
