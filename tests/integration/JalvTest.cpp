/*  The LV2 bundle in Debian's reference host, jalv, on a JACK server of the
    test's own (the dummy driver, no sound card): control ports set from
    outside while audio runs, and the plug-in's UI in jalv's GTK window,
    its panels opened and closed again and again, the window and the X
    server's pixels checked each time.

    Needs jackd, jalv and an X display (the suite runs under xvfb-run).
*/
#include "HostProcess.h"
#include "ScreenCapture.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <functional>
#include <optional>

namespace
{
    const juce::String pluginUri (JucePlugin_LV2URI);

    juce::File lv2Folder() { return juce::File (KORVANE_LV2_BUNDLE).getParentDirectory(); }

    bool found (const char* program)
    {
        return juce::File ("/usr/bin").getChildFile (program).existsAsFile();
    }

    bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() > end)
                return condition();

            juce::Thread::sleep (25);
        }

        return true;
    }

    /** A JACK server of the test's own: the dummy driver, a unique name. */
    struct JackServer
    {
        JackServer()
            : name ("korvane-test-" + juce::String ((int) getpid()) + "-" + juce::String (++count)),
              server ({ "jackd", "--no-realtime", "-n", name, "-d", "dummy", "-r", "48000", "-p", "256" },
                      environment())
        {
            HostProcess wait ({ "jack_wait", "-s", name, "-w", "-t", "20" });
            running = waitUntil ([&] { return ! wait.isRunning(); }, 25000) && wait.getExitCode() == 0;
        }

        juce::StringPairArray environment() const
        {
            juce::StringPairArray variables;
            variables.set ("JACK_DEFAULT_SERVER", name);
            variables.set ("JACK_NO_AUDIO_RESERVATION", "1");
            variables.set ("LV2_PATH", lv2Folder().getFullPathName());
            return variables;
        }

        /** Runs a JACK command line tool to its end. */
        int run (const juce::StringArray& arguments) const
        {
            HostProcess tool (arguments, environment());
            waitUntil ([&] { return ! tool.isRunning(); }, 20000);
            return tool.getExitCode();
        }

        static inline int count = 0;
        const juce::String name;
        HostProcess server;
        bool running = false;
    };

    /** The X server's windows, as the test looks at them. */
    class XWindows
    {
    public:
        XWindows() : display (XOpenDisplay (nullptr)) {}
        ~XWindows() { if (display != nullptr) XCloseDisplay (display); }

        bool isOpen() const { return display != nullptr; }

        /** A top-level window with the name. */
        std::optional<Window> findTopLevel (const juce::String& name)
        {
            std::optional<Window> result;
            forEachChild (DefaultRootWindow (display), [&] (Window window)
            {
                char* windowName = nullptr;
                if (XFetchName (display, window, &windowName) && windowName != nullptr)
                {
                    if (name == windowName && isViewable (window))
                        result = window;
                    XFree (windowName);
                }
            });
            return result;
        }

        /** Every top-level window on show, with its place (for failure messages). */
        juce::String describeTopLevels()
        {
            juce::StringArray shown;
            forEachChild (DefaultRootWindow (display), [&] (Window window)
            {
                if (isViewable (window))
                    shown.add ("[" + boundsOf (window).toString() + "]");
            });
            return shown.joinIntoString (" ");
        }

        /** The deepest window inside `top` that is `width` wide: the plug-in's own. */
        std::optional<Window> findDescendantOfWidth (Window top, int width)
        {
            std::optional<Window> result;
            std::function<void (Window)> visit = [&] (Window window)
            {
                if (boundsOf (window).getWidth() == width)
                    result = window;
                forEachChild (window, visit);
            };
            forEachChild (top, visit);
            return result;
        }

        /** On the screen. */
        juce::Rectangle<int> boundsOf (Window window)
        {
            XWindowAttributes attributes {};
            if (! XGetWindowAttributes (display, window, &attributes))
                return {};

            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates (display, window, DefaultRootWindow (display), 0, 0, &x, &y, &child);
            return { x, y, attributes.width, attributes.height };
        }

        /** The size hints the window's owner set (WM_NORMAL_HINTS). */
        XSizeHints sizeHintsOf (Window window)
        {
            XSizeHints hints {};
            long supplied = 0;
            if (! XGetWMNormalHints (display, window, &hints, &supplied))
                return {};
            return hints;
        }

    private:
        bool isViewable (Window window)
        {
            XWindowAttributes attributes {};
            return XGetWindowAttributes (display, window, &attributes) && attributes.map_state == IsViewable;
        }

        void forEachChild (Window window, const std::function<void (Window)>& use)
        {
            Window root = 0, parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;

            if (! XQueryTree (display, window, &root, &parent, &children, &count))
                return;

            for (unsigned int i = 0; i < count; ++i)
                use (children[i]);

            if (children != nullptr)
                XFree (children);
        }

        ::Display* display;
    };

    /** The latest "levelLeft = ..." jalv printed after `from`, or NaN. */
    float levelIn (const juce::String& output, int from)
    {
        const auto text = output.substring (from);
        const auto at = text.lastIndexOf ("levelLeft = ");
        return at < 0 ? std::nanf ("") : text.substring (at + 12).upToFirstOccurrenceOf ("\n", false, false).getFloatValue();
    }

    constexpr int closedHeight = 207 + 16, openHeight = closedHeight + 256;
}

TEST (Jalv, ControlPortsSetFromOutsideChangeTheSound)
{
    if (! found ("jalv") || ! found ("jackd"))
        GTEST_SKIP() << "jalv or jackd is not installed";

    JackServer jack;
    ASSERT_TRUE (jack.running) << jack.server.getOutput();

    HostProcess sine ({ "jack_simple_client" }, jack.environment());
    // Line by line: jalv writes to a pipe here, which stdio would buffer.
    HostProcess jalv ({ "stdbuf", "-oL", "jalv", "-n", "korvane", pluginUri }, jack.environment());
    ASSERT_TRUE (jalv.waitForOutput ("Block length", 20000)) << jalv.getOutput();

    // The sine's ports exist once its client has started: connect when they do.
    for (const auto* channel : { "1", "2" })
        EXPECT_TRUE (waitUntil ([&]
        {
            return jack.run ({ "jack_connect", juce::String ("jack_simple_client:output") + channel,
                               juce::String ("korvane:audio_in_") + channel }) == 0;
        }, 20000)) << sine.getOutput();

    // The sine sounds through the start-up preset: the meter port rises.
    const auto measure = [&jalv]
    {
        const auto from = jalv.getOutput().length();
        jalv.writeLine ("monitors");
        jalv.waitForOutput ("levelRight", 5000, from);
        return levelIn (jalv.getOutput(), from);
    };

    float level = -100.0f;
    EXPECT_TRUE (waitUntil ([&] { level = measure(); return level > -20.0f; }, 20000)) << level << "\n" << jalv.getOutput();

    // Output Volume set to silence from outside, through jalv's control port.
    jalv.writeLine ("outputVolume = 0");
    EXPECT_TRUE (waitUntil ([&] { level = measure(); return level < -23.9f; }, 20000)) << level << "\n" << jalv.getOutput();

    const auto from = jalv.getOutput().length();
    jalv.writeLine ("controls");
    EXPECT_TRUE (jalv.waitForOutput ("outputVolume = 0.000000", 5000, from)) << jalv.getOutput();

    // And back: the sound returns.
    jalv.writeLine ("outputVolume = 0.5");
    EXPECT_TRUE (waitUntil ([&] { level = measure(); return level > -20.0f; }, 20000)) << level << "\n" << jalv.getOutput();
}

TEST (Jalv, TheEditorsWindowFollowsItsPanelsEveryTime)
{
    if (! found ("jalv.gtk3") || ! found ("jackd"))
        GTEST_SKIP() << "jalv.gtk3 or jackd is not installed";

    XWindows windows;
    if (! windows.isOpen())
        GTEST_SKIP() << "no X display";

    ScreenCapture screen;
    JackServer jack;
    ASSERT_TRUE (jack.running) << jack.server.getOutput();

    // Two fresh launches, each opening and closing both panels many times.
    const auto cycles = juce::SystemStats::getEnvironmentVariable ("KORVANE_JALV_CYCLES", "8").getIntValue();

    for (int launch = 0; launch < 2; ++launch)
    {
        SCOPED_TRACE ("launch " + std::to_string (launch + 1));
        HostProcess jalv ({ "jalv.gtk3", "-n", "korvane-ui", pluginUri }, jack.environment());

        std::optional<Window> top, plugin;
        ASSERT_TRUE (waitUntil ([&]
        {
            top = windows.findTopLevel ("Korvane");
            plugin = top ? windows.findDescendantOfWidth (*top, 633) : std::nullopt;
            return plugin && windows.boundsOf (*plugin).getHeight() == closedHeight;
        }, 30000)) << jalv.getOutput();

        const auto closedTop = windows.boundsOf (*top);

        // The editor's size hints: its size as base and largest, and no
        // smallest (which GTK 2 hosts' suil, Ardour's, pins the window to).
        const auto hintsRight = [&] (int height)
        {
            const auto hints = windows.sizeHintsOf (*plugin);
            return (hints.flags & PMinSize) == 0 && (hints.flags & PMaxSize) != 0 && (hints.flags & PBaseSize) != 0
                && hints.max_height == height && hints.base_height == height && hints.max_width == 633;
        };

        // The window's size and hints, then what the X server shows: the
        // skin's dark top, and the panel's own colour where it lies. Empty
        // when right, else what was seen.
        const auto shows = [&] (int height, std::function<bool (const juce::Image&)> pixelsRight) -> juce::String
        {
            const auto sized = waitUntil ([&]
            {
                return windows.boundsOf (*plugin).getHeight() == height
                    && windows.boundsOf (*top).getHeight() == closedTop.getHeight() + height - closedHeight
                    && hintsRight (height);
            }, 20000);

            juce::Image image;
            const auto drawn = sized && waitUntil ([&]
            {
                image = screen.grab (windows.boundsOf (*plugin));
                return image.getPixelAt (300, 200).getBrightness() < 0.4f && pixelsRight (image);
            }, 20000);

            if (sized && drawn)
                return {};

            const auto hints = windows.sizeHintsOf (*plugin);
            return "windows on show " + windows.describeTopLevels() + "; plug-in window " + windows.boundsOf (*plugin).toString() + ", host window " + windows.boundsOf (*top).toString()
                 + ", size hints flags " + juce::String::toHexString ((int) hints.flags) + " max " + juce::String (hints.max_width) + "x" + juce::String (hints.max_height)
                 + " (closed " + closedTop.toString() + "), wanted height " + juce::String (height)
                 + (sized ? ", pixels at (300, 200) " + image.getPixelAt (300, 200).toDisplayString (false)
                              + ", (300, 400) " + image.getPixelAt (300, 400).toDisplayString (false)
                              + ", (300, 435) " + image.getPixelAt (300, 435).toDisplayString (false)
                          : juce::String());
        };

        const auto closed = [] (const juce::Image& image) { return image.getHeight() == closedHeight; };
        const auto optionsPage = [] (const juce::Image& image) { return image.getPixelAt (300, 435).getARGB() == 0xFFC5C5C5u; };
        const auto browser = [] (const juce::Image& image) { return image.getPixelAt (300, 400).getARGB() == 0xFFE3E3E3u; };

        for (int cycle = 0; cycle < cycles; ++cycle)
        {
            SCOPED_TRACE ("cycle " + std::to_string (cycle + 1));
            const auto origin = windows.boundsOf (*plugin).getPosition();

            screen.click (origin + juce::Point<int> (97, 35), false);     // Options
            ASSERT_EQ (shows (openHeight, optionsPage), "") << "Options opened";
            screen.click (origin + juce::Point<int> (97, 35), false);
            ASSERT_EQ (shows (closedHeight, closed), "") << "Options closed";

            screen.click (origin + juce::Point<int> (388, 37), false);    // Browse
            ASSERT_EQ (shows (openHeight, browser), "") << "Browse opened";
            screen.click (origin + juce::Point<int> (388, 37), false);
            ASSERT_EQ (shows (closedHeight, closed), "") << "Browse closed";
        }

        EXPECT_TRUE (jalv.isRunning()) << jalv.getOutput();
    }
}
