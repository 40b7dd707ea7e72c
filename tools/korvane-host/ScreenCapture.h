#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

/*  The X display as a user sees it: what the server shows in an area of
    the screen (every window's pixels, the plug-in's own embedded window
    included), and pointer clicks delivered by the server itself (XTest),
    so they reach whichever window lies under the pointer.
*/
class ScreenCapture
{
public:
    /** A bare X server (Xvfb without a window manager) lacks atoms such as
        WM_PROTOCOLS, and JUCE's windows then cause harmless X errors, which
        Xlib's default handler would turn into an exit. Anything that opens
        windows on such a server calls this first. */
    static void ignoreHarmlessXErrors();

    /** Opens the display JUCE uses ($DISPLAY); throws std::runtime_error
        when there is none or it lacks XTest. */
    ScreenCapture();
    ~ScreenCapture();

    /** The screen's pixels in the area. */
    juce::Image grab (juce::Rectangle<int> screenArea);

    /** A left click at a screen position, with Ctrl held when asked. */
    void click (juce::Point<int> screenPosition, bool withCtrl);

    /** A left-button drag between two screen positions in twenty steps, as
        a hand makes it; `betweenSteps` runs after the press, each step and
        before the release (the message loop, so windows see every step). */
    void drag (juce::Point<int> from, juce::Point<int> to, const std::function<void()>& betweenSteps);

private:
    struct Display;
    Display* display = nullptr;

    JUCE_DECLARE_NON_COPYABLE (ScreenCapture)
};
