#pragma once

#include "skin/SkinImage.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The embedded images of the framework's windows and widgets, decoded once
    and shared: the 17 icons in two sizes, the window icon, the edge
    decorations, the radio and check-box marks and the text-button caps,
    each with its doubled picture for interface sizes above 100 %.
    A missing or damaged image comes back invalid; callers then draw without it.
*/
namespace FrameworkArtwork
{
    constexpr int numIcons = 17;
    constexpr int largeIconSize = 43;
    constexpr int smallIconSize = 27;

    /** Icon by index (0 … 16), in the 43- or 27-pixel size, normal or pressed. */
    SkinImage getIcon (int index, bool small, bool pressed);

    /** The 24 x 24 picture at the left of a window's title bar. */
    SkinImage getWindowIcon();

    /** The edge image of a window side: 1 top, 2 bottom (40 x 10), 3 left,
        4 right (10 x 40); invalid for 0 and anything else. */
    SkinImage getDecoration (int side);

    SkinImage getRadioButton (bool on);
    SkinImage getCheckBox (bool on);

    /** One of the six caps and middles of a text button look: column 0 left
        cap, 1 middle, 2 right cap; the pressed set when down. */
    SkinImage getTextButtonPart (int lookIndex, int column, bool down);
    SkinImage getTextButtonOverlay (int lookIndex);

    /** The browser's 16 x 16 row icons: a folder (closed, or open when
        selected) for groups, music notes for presets; dark, or white for a
        selected row. Drawn once, on first use. */
    SkinImage getBrowserIcon (bool group, bool selected);

    /** The embedded stand-in for "Tahoma", plain or bold; null when missing. */
    juce::Typeface::Ptr getInterfaceTypeface (bool bold);
}
