#include "ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

struct ScreenCapture::Display
{
    ::Display* x = nullptr;
};

namespace
{
    int ignoreXError (::Display*, XErrorEvent*)  { return 0; }
}

void ScreenCapture::ignoreHarmlessXErrors()
{
    XSetErrorHandler (ignoreXError);
}

ScreenCapture::ScreenCapture()
{
    ignoreHarmlessXErrors();

    auto* x = XOpenDisplay (nullptr);

    if (x == nullptr)
        throw std::runtime_error ("cannot open the X display (is DISPLAY set? under CI use xvfb-run)");

    int eventBase = 0, errorBase = 0, major = 0, minor = 0;

    if (! XTestQueryExtension (x, &eventBase, &errorBase, &major, &minor))
    {
        XCloseDisplay (x);
        throw std::runtime_error ("the X display offers no XTest extension for pointer input");
    }

    display = new Display { x };
}

ScreenCapture::~ScreenCapture()
{
    if (display != nullptr)
        XCloseDisplay (display->x);

    delete display;
}

juce::Image ScreenCapture::grab (juce::Rectangle<int> area)
{
    auto* x = display->x;
    XSync (x, False);

    auto* image = XGetImage (x, DefaultRootWindow (x), area.getX(), area.getY(),
                             (unsigned int) area.getWidth(), (unsigned int) area.getHeight(), AllPlanes, ZPixmap);

    if (image == nullptr)
        throw std::runtime_error ("the X server gave no image of the window's area");

    juce::Image result (juce::Image::RGB, area.getWidth(), area.getHeight(), false);
    const juce::Image::BitmapData pixels (result, juce::Image::BitmapData::writeOnly);

    for (int y = 0; y < area.getHeight(); ++y)
        for (int px = 0; px < area.getWidth(); ++px)
        {
            const auto value = XGetPixel (image, px, y);
            const auto component = [value] (unsigned long mask)
            {
                if (mask == 0)
                    return (juce::uint8) 0;

                int shift = 0;
                while (((mask >> shift) & 1) == 0)
                    ++shift;

                const auto bits = (mask >> shift);
                return (juce::uint8) (((value & mask) >> shift) * 255 / bits);
            };

            pixels.setPixelColour (px, y, juce::Colour (component (image->red_mask),
                                                        component (image->green_mask),
                                                        component (image->blue_mask)));
        }

    XDestroyImage (image);
    return result;
}

void ScreenCapture::click (juce::Point<int> position, bool withCtrl)
{
    auto* x = display->x;
    const auto ctrl = XKeysymToKeycode (x, XK_Control_L);

    XTestFakeMotionEvent (x, -1, position.x, position.y, CurrentTime);

    if (withCtrl)
        XTestFakeKeyEvent (x, ctrl, True, CurrentTime);

    XTestFakeButtonEvent (x, 1, True, CurrentTime);
    XTestFakeButtonEvent (x, 1, False, CurrentTime);

    if (withCtrl)
        XTestFakeKeyEvent (x, ctrl, False, CurrentTime);

    XSync (x, False);
}

void ScreenCapture::drag (juce::Point<int> from, juce::Point<int> to, const std::function<void()>& betweenSteps)
{
    auto* x = display->x;
    constexpr int steps = 20;

    XTestFakeMotionEvent (x, -1, from.x, from.y, CurrentTime);
    XTestFakeButtonEvent (x, 1, True, CurrentTime);
    XSync (x, False);
    betweenSteps();

    for (int step = 1; step <= steps; ++step)
    {
        const auto position = from + (to - from) * step / steps;
        XTestFakeMotionEvent (x, -1, position.x, position.y, CurrentTime);
        XSync (x, False);
        betweenSteps();
    }

    XTestFakeButtonEvent (x, 1, False, CurrentTime);
    XSync (x, False);
}
