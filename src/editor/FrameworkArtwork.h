#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The embedded images of the framework's windows and widgets, decoded once
    and shared: the 17 icons in two sizes, the window icon, the edge
    decorations, the radio and check-box marks and the text-button caps.
    A missing or damaged image comes back invalid; callers then draw without it.
*/
namespace FrameworkArtwork
{
    constexpr int numIcons = 17;
    constexpr int largeIconSize = 43;
    constexpr int smallIconSize = 27;

    /** Icon by index (0 … 16), in the 43- or 27-pixel size, normal or pressed. */
    juce::Image getIcon (int index, bool small, bool pressed);

    /** The 24 x 24 picture at the left of a window's title bar. */
    juce::Image getWindowIcon();

    /** The edge image of a window side: 1 top, 2 bottom (40 x 10), 3 left,
        4 right (10 x 40); invalid for 0 and anything else. */
    juce::Image getDecoration (int side);

    juce::Image getRadioButton (bool on);
    juce::Image getCheckBox (bool on);

    /** One of the six caps and middles of a text button look: column 0 left
        cap, 1 middle, 2 right cap; the pressed set when down. */
    juce::Image getTextButtonPart (int lookIndex, int column, bool down);
    juce::Image getTextButtonOverlay (int lookIndex);

    /** The browser's 16 x 16 row icons: a folder (closed, or open when
        selected) for groups, music notes for presets; dark, or white for a
        selected row. Drawn once, on first use. */
    juce::Image getBrowserIcon (bool group, bool selected);

    /** The embedded stand-in for "Tahoma", plain or bold; null when missing. */
    juce::Typeface::Ptr getInterfaceTypeface (bool bold);
}
