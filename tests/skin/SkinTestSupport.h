#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "parameters/BoolParameter.h"
#include "parameters/FloatParameter.h"
#include "parameters/ParameterManager.h"
#include "parameters/StringParameter.h"
#include "plugin/EventsMap.h"
#include "skin/GUIController.h"

#include <string>
#include <vector>

#if JUCE_LINUX
 #include <dlfcn.h>
#endif

/*  Helpers shared by the skin loader and control tests: a parameter set and
    event map to load controls with, listeners that record what they hear,
    synthesised mouse events, and images to use as film strips.
*/
namespace SkinTestSupport
{
    /** Runs the message loop: asynchronous parameter notifications and timers. */
    inline void pump (int milliseconds = 30)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    /** Lets tests open desktop windows on a bare X server.

        JUCE installs its lenient X error handler only in stand-alone
        applications; elsewhere Xlib's default handler ends the process on
        the first error. A bare server without a window manager lacks atoms
        such as WM_PROTOCOLS, which JUCE then sets as property 0, so the
        first desktop window would end the test run. */
    inline void tolerateXErrors()
    {
       #if JUCE_LINUX
        static bool installed = false;

        if (installed)
            return;

        installed = true;
        juce::Desktop::getInstance(); // loads and opens the X library

        using ErrorHandler = int (*) (void*, void*);
        using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

        if (auto* library = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD))
            if (auto setHandler = reinterpret_cast<SetErrorHandler> (dlsym (library, "XSetErrorHandler")))
                setHandler ([] (void*, void*) { return 0; });
       #endif
    }

    inline std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
    {
        auto xml = juce::parseXML (text);
        EXPECT_NE (xml, nullptr) << text;
        return xml;
    }

    /** Everything the editor would hear, in order, as short texts ("drag+ Name"). */
    struct RecordingControllerListener : public GUIController::Listener
    {
        explicit RecordingControllerListener (std::string labelToUse = {}) : label (std::move (labelToUse)) {}

        void controllerDragStarted (GUIController* c) override      { log.push_back (label + "drag+ " + nameOf (c)); }
        void controllerDragEnded (GUIController* c) override        { log.push_back (label + "drag- " + nameOf (c)); }
        void controllerValueChanged (GUIController* c) override     { log.push_back (label + "value " + nameOf (c)); }
        void controllerEventTriggered (GUIController* c, int id) override
        {
            log.push_back (label + "event " + std::to_string (id) + " " + nameOf (c));
        }

        static std::string nameOf (GUIController* c)
        {
            if (auto* component = c != nullptr ? c->getComponent() : nullptr)
                return component->getName().toStdString();
            return {};
        }

        std::string label;
        std::vector<std::string> log;
    };

    /** A synchronous parameter listener: it sees every write and every gesture at once. */
    struct RecordingParameterListener : public Parameter::Listener
    {
        void parameterChanged (Parameter* p) override        { log.push_back ("changed"); lastValue = p->getNormalisedValue(); }
        void parameterGestureBegan (Parameter*) override     { log.push_back ("began"); }
        void parameterGestureEnded (Parameter*) override     { log.push_back ("ended"); }

        int count (const std::string& what) const
        {
            int n = 0;
            for (auto& entry : log)
                n += entry == what ? 1 : 0;
            return n;
        }

        std::vector<std::string> log;
        float lastValue = -1.0f;
    };

    /** The parameter set and event map controls are loaded with. */
    struct Fixture
    {
        Fixture()
        {
            events.registerBuiltInEvents();
        }

        FloatParameter* addFloat (int32_t identifier, const juce::String& name, float initial = 0.0f)
        {
            auto* parameter = new FloatParameter (identifier, name, 0.0f, 1.0f, initial);
            parameters.addParameter (parameter);
            return parameter;
        }

        FloatParameter* addRange (int32_t identifier, const juce::String& name, float minimum, float maximum, float initial)
        {
            auto* parameter = new FloatParameter (identifier, name, minimum, maximum, initial);
            parameters.addParameter (parameter);
            return parameter;
        }

        BoolParameter* addBool (int32_t identifier, const juce::String& name)
        {
            auto* parameter = new BoolParameter (identifier, name, BoolParameter::onOffStyle);
            parameters.addParameter (parameter);
            return parameter;
        }

        StringParameter* addString (int32_t identifier, const juce::String& name, const juce::String& text)
        {
            auto* parameter = new StringParameter (identifier, name, text);
            parameters.addParameter (parameter);
            return parameter;
        }

        ParameterManager parameters;
        EventsMap events;
    };

    //==============================================================================
    /** A mouse event on the component at a position, pressed at downPosition. */
    inline juce::MouseEvent mouseEvent (juce::Component& component,
                                        juce::Point<float> position,
                                        juce::Point<float> downPosition,
                                        juce::ModifierKeys modifiers = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                                        bool dragged = false)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(),
                                 position, modifiers,
                                 juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY,
                                 &component, &component, now,
                                 downPosition, now, 1, dragged);
    }

    /** Presses at start, drags in steps of stepPixels to end, releases there. */
    template <typename ComponentType>
    void drag (ComponentType& component, juce::Point<float> start, juce::Point<float> end,
               juce::ModifierKeys heldKeys = {}, float stepPixels = 0.0f)
    {
        const auto pressed = heldKeys.withFlags (juce::ModifierKeys::leftButtonModifier);
        component.mouseDown (mouseEvent (component, start, start, pressed));

        const auto distance = start.getDistanceFrom (end);
        const auto steps = stepPixels > 0.0f ? juce::jmax (1, juce::roundToInt (distance / stepPixels)) : 1;

        for (int i = 1; i <= steps; ++i)
        {
            const auto t = (float) i / (float) steps;
            const auto position = start + (end - start) * t;
            component.mouseDrag (mouseEvent (component, position, start, pressed, true));
        }

        component.mouseUp (mouseEvent (component, end, start, heldKeys, true));
    }

    /** One wheel step of the given vertical amount, with no mouse button held. */
    template <typename ComponentType>
    void wheel (ComponentType& component, float deltaY)
    {
        juce::MouseWheelDetails details;
        details.deltaX = 0.0f;
        details.deltaY = deltaY;
        details.isReversed = false;
        details.isSmooth = false;
        details.isInertial = false;

        // Successive steps need distinct event times: the slider drops repeats.
        static int64_t tick = 0;
        const auto now = juce::Time (juce::Time::currentTimeMillis() + (++tick));
        const auto centre = component.getLocalBounds().getCentre().toFloat();
        const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(),
                                      centre, juce::ModifierKeys(),
                                      juce::MouseInputSource::defaultPressure,
                                      juce::MouseInputSource::defaultOrientation,
                                      juce::MouseInputSource::defaultRotation,
                                      juce::MouseInputSource::defaultTiltX,
                                      juce::MouseInputSource::defaultTiltY,
                                      &component, &component, now, centre, now, 0, false);
        component.mouseWheelMove (event, details);
    }

    //==============================================================================
    /** A film strip whose frame i is filled with the colour frameColour (i). */
    inline juce::Colour frameColour (int frame)
    {
        return juce::Colour ((juce::uint8) (10 + frame), (juce::uint8) (200 - frame), (juce::uint8) 77);
    }

    inline juce::Image filmStrip (int width, int frameHeight, int frames, int extraRows = 0)
    {
        juce::Image image (juce::Image::ARGB, width, frameHeight * frames + extraRows, true);
        juce::Graphics g (image);

        for (int i = 0; i < frames; ++i)
        {
            g.setColour (frameColour (i));
            g.fillRect (0, i * frameHeight, width, frameHeight);
        }

        return image;
    }

    /** Which frame a snapshot shows, judged by the colour at a point; -1 for none. */
    inline int frameShown (const juce::Image& snapshot, int frames, int x = 1, int y = 1)
    {
        const auto pixel = snapshot.getPixelAt (x, y);

        for (int i = 0; i < frames; ++i)
            if (pixel == frameColour (i))
                return i;

        return -1;
    }

    inline juce::Image render (juce::Component& component)
    {
        return component.createComponentSnapshot (component.getLocalBounds(), false, 1.0f);
    }
}
