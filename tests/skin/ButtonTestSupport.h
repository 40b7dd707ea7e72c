#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "parameters/BoolParameter.h"
#include "parameters/ParameterManager.h"
#include "plugin/EventsMap.h"
#include "skin/GUIController.h"

#include <vector>

#if JUCE_LINUX
 #include <dlfcn.h>
#endif

namespace ButtonTestSupport
{
    /** Pumps the message loop for a while (timers, asynchronous updates, posted clicks). */
    inline void pump (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    /** Without a window manager (a bare virtual display) some window-manager
        atoms do not exist and setting them on a new window is an X error,
        which Xlib's default handler turns into an exit; JUCE only installs
        its own handler in stand-alone applications. This one ignores them. */
    inline void ignoreXErrors()
    {
       #if JUCE_LINUX
        static const bool installed = []
        {
            juce::Desktop::getInstance(); // opens the display through JUCE's X library

            using ErrorHandler = int (*) (void*, void*);
            using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

            if (auto* library = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD))
                if (auto setHandler = reinterpret_cast<SetErrorHandler> (dlsym (library, "XSetErrorHandler")))
                    setHandler ([] (void*, void*) { return 0; });

            return true;
        }();
        juce::ignoreUnused (installed);
       #endif
    }

    /** What the editor would hear from a control. */
    struct RecordingListener : public GUIController::Listener
    {
        struct Event { int eventId; double timeMs; };

        void controllerEventTriggered (GUIController*, int eventId) override
        {
            events.push_back ({ eventId, juce::Time::getMillisecondCounterHiRes() });
        }

        void controllerValueChanged (GUIController* controller) override
        {
            valueChanges.push_back (controller);
        }

        std::vector<int> eventIds() const
        {
            std::vector<int> ids;
            for (auto& e : events)
                ids.push_back (e.eventId);
            return ids;
        }

        std::vector<Event> events;
        std::vector<GUIController*> valueChanges;
    };

    /** Counts the writes a parameter gets (its synchronous notifications). */
    struct WriteCounter : public Parameter::Listener
    {
        void parameterChanged (Parameter*) override { ++writes; }
        int writes = 0;
    };

    /** The parameters and events a skin control is loaded with. */
    struct SkinContext
    {
        SkinContext()
        {
            events.registerBuiltInEvents();
        }

        BoolParameter* addBool (int32_t identifier, const juce::String& name)
        {
            auto* parameter = new BoolParameter (identifier, name, BoolParameter::onOffStyle);
            parameters.addParameter (parameter);
            return parameter;
        }

        ParameterManager parameters;
        EventsMap events;
    };

    inline std::unique_ptr<juce::XmlElement> parseXml (const juce::String& text)
    {
        auto xml = juce::parseXML (text);
        EXPECT_NE (xml, nullptr) << text;
        return xml;
    }

    /** A film strip whose frames are solid colours, frame i in colours[i]. */
    inline juce::Image makeFilmStrip (int frameWidth, int frameHeight, const std::vector<juce::Colour>& colours)
    {
        juce::Image strip (juce::Image::ARGB, frameWidth, frameHeight * (int) colours.size(), true,
                           juce::SoftwareImageType());
        juce::Graphics g (strip);

        for (size_t i = 0; i < colours.size(); ++i)
        {
            g.setColour (colours[i]);
            g.fillRect (0, (int) i * frameHeight, frameWidth, frameHeight);
        }

        return strip;
    }

    inline const std::vector<juce::Colour>& frameColours()
    {
        static const std::vector<juce::Colour> colours {
            juce::Colour (0xffff0000), juce::Colour (0xff00ff00), juce::Colour (0xff0000ff),
            juce::Colour (0xffffff00), juce::Colour (0xff00ffff), juce::Colour (0xffff00ff),
            juce::Colour (0xff800000), juce::Colour (0xff008000)
        };
        return colours;
    }

    /** Paints into a fresh transparent image of the component's size. */
    template <typename PaintFunction>
    juce::Image render (int width, int height, PaintFunction&& paintFunction)
    {
        juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        paintFunction (g);
        return image;
    }

    /** The frame of frameColours() the image shows at its centre, or -1. */
    inline int shownFrame (const juce::Image& image)
    {
        const auto pixel = image.getPixelAt (image.getWidth() / 2, image.getHeight() / 2);
        const auto& colours = frameColours();

        for (size_t i = 0; i < colours.size(); ++i)
            if (pixel == colours[i])
                return (int) i;

        return -1;
    }

    /** True when every pixel is the same (nothing was drawn, or one flat fill). */
    inline bool isBlank (const juce::Image& image)
    {
        const auto first = image.getPixelAt (0, 0);

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y) != first)
                    return false;

        return true;
    }

    inline int countPixels (const juce::Image& image, juce::Rectangle<int> area,
                            std::function<bool (juce::Colour)> predicate)
    {
        int count = 0;
        area = area.getIntersection (image.getBounds());

        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (predicate (image.getPixelAt (x, y)))
                    ++count;

        return count;
    }

    inline bool isDark (juce::Colour c)   { return c.getAlpha() > 200 && c.getBrightness() < 0.3f; }

    inline juce::MouseEvent makeMouseEvent (juce::Component& component, juce::Point<float> position,
                                            juce::ModifierKeys modifiers = {})
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, modifiers,
                                 juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY,
                                 &component, &component, now, position, now, 1, false);
    }

    /**
        Real pointer and keyboard input for the display the tests run on,
        through the X server's XTest extension: the server moves its pointer,
        presses its buttons and holds Ctrl, and JUCE receives the events as
        from a user. Buttons therefore see their own press, hover, release and
        auto-repeat handling with the pointer really held, and the modifier
        keys JUCE tracks include Ctrl while it is held.
    */
    class FakeInput
    {
    public:
        static FakeInput& get()
        {
            static FakeInput instance;
            return instance;
        }

        bool isAvailable() const noexcept { return display != nullptr; }

        void movePointer (juce::Point<int> screenPosition)
        {
            fakeMotion (display, -1, screenPosition.x, screenPosition.y, 0);
            flush();
        }

        void setButton (bool down)
        {
            fakeButton (display, 1, down ? 1 : 0, 0);
            flush();
        }

        void setCtrl (bool down)
        {
            fakeKey (display, controlKeyCode, down ? 1 : 0, 0);
            flush();
        }

    private:
        FakeInput()
        {
           #if JUCE_LINUX
            ignoreXErrors();
            auto* x11 = dlopen ("libX11.so.6", RTLD_LAZY);
            auto* xtst = dlopen ("libXtst.so.6", RTLD_LAZY);

            if (x11 == nullptr || xtst == nullptr)
                return;

            auto openDisplay = reinterpret_cast<void* (*) (const char*)> (dlsym (x11, "XOpenDisplay"));
            auto keysymToKeycode = reinterpret_cast<unsigned char (*) (void*, unsigned long)> (dlsym (x11, "XKeysymToKeycode"));
            auto queryExtension = reinterpret_cast<int (*) (void*, int*, int*, int*, int*)> (dlsym (xtst, "XTestQueryExtension"));
            sync = reinterpret_cast<int (*) (void*, int)> (dlsym (x11, "XSync"));
            fakeMotion = reinterpret_cast<int (*) (void*, int, int, int, unsigned long)> (dlsym (xtst, "XTestFakeMotionEvent"));
            fakeButton = reinterpret_cast<int (*) (void*, unsigned int, int, unsigned long)> (dlsym (xtst, "XTestFakeButtonEvent"));
            fakeKey = reinterpret_cast<int (*) (void*, unsigned int, int, unsigned long)> (dlsym (xtst, "XTestFakeKeyEvent"));

            if (openDisplay == nullptr || keysymToKeycode == nullptr || queryExtension == nullptr
                 || sync == nullptr || fakeMotion == nullptr || fakeButton == nullptr || fakeKey == nullptr)
                return;

            auto* connection = openDisplay (nullptr);

            if (connection == nullptr)
                return;

            int eventBase = 0, errorBase = 0, major = 0, minor = 0;

            if (queryExtension (connection, &eventBase, &errorBase, &major, &minor) == 0)
                return;

            controlKeyCode = keysymToKeycode (connection, 0xffe3 /* Control_L */);
            display = connection;
           #endif
        }

        void flush()
        {
            sync (display, 0);
        }

        void* display = nullptr;
        unsigned int controlKeyCode = 0;
        int (*sync) (void*, int) = nullptr;
        int (*fakeMotion) (void*, int, int, int, unsigned long) = nullptr;
        int (*fakeButton) (void*, unsigned int, int, unsigned long) = nullptr;
        int (*fakeKey) (void*, unsigned int, int, unsigned long) = nullptr;
    };

    /** Skips a test that needs pointer input when the display cannot give it. */
    #define REQUIRE_DESKTOP_INPUT() \
        if (! ButtonTestSupport::DesktopHost::canSendInput()) \
            GTEST_SKIP() << "this display offers no synthetic pointer input (XTest)"

    /** Pumps the message loop until the condition holds; false after the time-out. */
    template <typename Condition>
    bool pumpUntil (Condition&& condition, int timeoutMs = 3000)
    {
        const auto end = juce::Time::getMillisecondCounterHiRes() + timeoutMs;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounterHiRes() > end)
                return false;

            pump (2);
        }

        return true;
    }

    /**
        A top-level window on the display, and a user's pointer over it. Every
        step waits until JUCE has delivered the resulting mouse event.
    */
    struct DesktopHost : public juce::Component
    {
        DesktopHost (int width, int height)
        {
            ignoreXErrors();
            setBounds (40, 40, width, height);
            addToDesktop (0);
            setVisible (true);
            juce::Desktop::getInstance().addGlobalMouseListener (&watcher);
            pump (20);
        }

        ~DesktopHost() override
        {
            // Never leave the pointer or Ctrl held for the next test.
            if (held)
                release (lastPosition);

            juce::Desktop::getInstance().removeGlobalMouseListener (&watcher);
            removeFromDesktop();
        }

        /** False when the display offers no synthetic input; tests then skip. */
        static bool canSendInput()  { return FakeInput::get().isAvailable(); }

        void press (juce::Point<int> position, juce::ModifierKeys modifiers = {})
        {
            moveTo (position);

            if (modifiers.isCtrlDown() && ! ctrlHeld)
            {
                FakeInput::get().setCtrl (true);
                ctrlHeld = true;
            }

            const auto before = watcher.downs;
            FakeInput::get().setButton (true);
            held = true;
            EXPECT_TRUE (pumpUntil ([&] { return watcher.downs > before; })) << "the press did not arrive";
        }

        void dragTo (juce::Point<int> position)
        {
            moveTo (position);
        }

        /** The pointer over a place, no button held. */
        void hover (juce::Point<int> position)
        {
            moveTo (position);
        }

        void release (juce::Point<int> position)
        {
            moveTo (position);
            const auto before = watcher.ups;
            FakeInput::get().setButton (false);
            held = false;
            EXPECT_TRUE (pumpUntil ([&] { return watcher.ups > before; })) << "the release did not arrive";

            if (ctrlHeld)
            {
                FakeInput::get().setCtrl (false);
                ctrlHeld = false;
                pump (10);
            }
        }

        void click (juce::Point<int> position, juce::ModifierKeys modifiers = {})
        {
            press (position, modifiers);
            release (position);
        }

        /** The centre of a child, in this window's coordinates. */
        static juce::Point<int> centreOf (const juce::Component& child)
        {
            return child.getBounds().getCentre();
        }

    private:
        void moveTo (juce::Point<int> position)
        {
            const auto screen = localPointToGlobal (position);
            lastPosition = position;

            if (pointerKnown && screen == lastScreenPosition)
                return;

            // The pointer may already rest where this new window wants it, and
            // a move to where it is sends nothing: start from outside.
            if (! pointerKnown)
                FakeInput::get().movePointer (localPointToGlobal (juce::Point<int> (-20, -20)));

            FakeInput::get().movePointer (screen);
            pointerKnown = true;
            lastScreenPosition = screen;
            EXPECT_TRUE (pumpUntil ([&] { return watcher.lastScreenPosition == screen; })) << "the move did not arrive";
        }

        /** Hears every mouse event JUCE delivers, to any component. */
        struct Watcher : public juce::MouseListener
        {
            void record (const juce::MouseEvent& e)  { lastScreenPosition = e.getScreenPosition(); }

            void mouseMove (const juce::MouseEvent& e) override   { record (e); }
            void mouseEnter (const juce::MouseEvent& e) override  { record (e); }
            void mouseDrag (const juce::MouseEvent& e) override   { record (e); }
            void mouseDown (const juce::MouseEvent& e) override   { record (e); ++downs; }
            void mouseUp (const juce::MouseEvent& e) override     { record (e); ++ups; }

            juce::Point<int> lastScreenPosition { -10000, -10000 };
            int downs = 0, ups = 0;
        };

        Watcher watcher;
        bool held = false, ctrlHeld = false, pointerKnown = false;
        juce::Point<int> lastPosition, lastScreenPosition;
    };
}
