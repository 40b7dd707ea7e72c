#include "XDisplay.h"

#include <cstdlib>
#include <optional>

namespace
{
    std::optional<bool> allowed;

    bool displayIsNamed()
    {
        const auto* display = std::getenv ("DISPLAY");
        return display != nullptr && *display != 0;
    }
}

void XDisplay::allowOnlyIf (bool commandOpensWindows)
{
    allowed = commandOpensWindows && displayIsNamed();

    // An empty or missing DISPLAY means ":0" to JUCE; a name without a
    // colon is one Xlib and xcb refuse before they open any connection.
    if (! *allowed)
        setenv ("DISPLAY", "none", 1);
}

bool XDisplay::isAllowed()
{
    // The pieces used in a program of their own (the tests) follow DISPLAY.
    return allowed.has_value() ? *allowed : displayIsNamed();
}
