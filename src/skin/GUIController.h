#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "parameters/Parameter.h"
#include "skin/BlinkingComponent.h"

class EventsMap;
class ParameterManager;

/*  Readers of skin attribute values. Element and attribute names are matched
    without regard to case; the value rules are those of the skin format:
    integers read their leading sign and digits (anything else reads as 0),
    colours are hexadecimal ARGB with non-hexadecimal characters skipped, and a
    boolean is true when its first non-blank character is 1, t, T, y or Y.
*/
namespace SkinXml
{
    /** The first child element with the tag (any case), or nullptr. */
    const juce::XmlElement* findChild (const juce::XmlElement& element, const char* tagName);

    /** The attribute's value, or the default when absent. */
    juce::String readString (const juce::XmlElement& element, const char* attributeName,
                             const juce::String& whenAbsent = {});

    /** The largest number an integer attribute gives. A skin measures a few
        hundred pixels and counts a few dozen frames; numbers near the int
        range would overflow JUCE's geometry (a rectangle's right edge) and
        the controls' own arithmetic (the frames of a 3D button, the rows of
        a bitmap font). */
    constexpr int maxNumber = 65536;

    /** The attribute as a decimal integer limited to -maxNumber ... maxNumber,
        or the default when absent. */
    int readInt (const juce::XmlElement& element, const char* attributeName, int whenAbsent = 0);

    /** The attribute as a hexadecimal ARGB colour; absent reads as "0" (transparent black). */
    juce::Colour readColour (const juce::XmlElement& element, const char* attributeName);

    /** The attribute as a boolean, or the default when absent. */
    bool readBool (const juce::XmlElement& element, const char* attributeName, bool whenAbsent = false);

    /** The value rules on their own, for text already read. */
    int parseInt (const juce::String& text);
    juce::Colour parseColour (const juce::String& text);
    bool parseBool (const juce::String& text);
}

/**
    The control logic every skin control shares.

    A controller follows at most one parameter (the skin's "connectedTo" link),
    keeps the control's actions (trigger type to event identifier), and tells
    its listeners (the editor) about drags, user value changes and fired events.

    Parameters reach a controller only through their asynchronous listener list,
    so parameterValueChanged() always runs on the message thread, however the
    value was changed. A controller never owns its parameter or its listeners.

    Concrete controls combine a controller with a JUCE component by multiple
    inheritance (GFXKnob is a BaseGFXController and a juce::Slider);
    getComponent() finds that component.
*/
class GUIController : public Parameter::Listener,
                      public BlinkingComponent
{
public:
    /** What the editor hears from its controls. Notified from the last
        registered listener to the first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** A knob or switch drag began (after the parameter's gesture began). */
        virtual void controllerDragStarted (GUIController* controller)          { juce::ignoreUnused (controller); }
        /** The drag ended (after the parameter's gesture ended). */
        virtual void controllerDragEnded (GUIController* controller)            { juce::ignoreUnused (controller); }
        /** The user changed the control's value, after the parameter was set. */
        virtual void controllerValueChanged (GUIController* controller)         { juce::ignoreUnused (controller); }
        /** The control fires an event (button, multi-state button, rocker). */
        virtual void controllerEventTriggered (GUIController* controller, int eventId) { juce::ignoreUnused (controller, eventId); }
    };

    GUIController();

    /** Leaves the linked parameter's asynchronous listeners. */
    ~GUIController() override;

    //==============================================================================
    /** Forwards to parameterValueChanged(); the parameter calls it on the message thread. */
    void parameterChanged (Parameter* parameter) override;
    /** Gesture notifications of the parameter are ignored by controls. */
    void parameterGestureBegan (Parameter*) override {}
    void parameterGestureEnded (Parameter*) override {}

    /** One action of the skin: trigger type ("onClick", …), event identifier and
        the event's display name. The base ignores it; controls that fire events
        keep the ones they accept (a later action of a type replaces an earlier one). */
    virtual void addAction (const juce::String& type, int eventId, const juce::String& eventName);

    /** The linked parameter's value changed: update the look from it without
        writing the value back. The base does nothing. */
    virtual void parameterValueChanged (Parameter* parameter);

    /** Appends a listener unless it is null or already present. Not owned. */
    virtual void addListener (Listener* listener);
    void removeListener (Listener* listener);

    /** Reads the element's links and actions. Controls extend it with their
        own parts; editor is the editor being built (may be null). */
    virtual void loadFromXml (const juce::XmlElement& element,
                              ParameterManager& parameterSet,
                              const EventsMap& eventMap,
                              juce::Component* editor);

    //==============================================================================
    /** Follows the parameter from now on (nullptr: none): leaves the previous
        parameter's asynchronous listeners and joins the new one's. */
    void setLinkedParameter (Parameter* parameter);
    Parameter* getLinkedParameter() const noexcept          { return linkedParameter; }

    const juce::Array<Listener*>& getListeners() const noexcept { return listeners; }

    /** controllerEventTriggered (this, eventId) to every listener, last registered first. */
    void fireEvent (int eventId);
    /** The other three notifications, each to every listener, last registered first. */
    void sendDragStarted();
    void sendDragEnded();
    void sendValueChanged();

    /** The component this controller is combined with, or nullptr. */
    juce::Component* getComponent();
    const juce::Component* getComponent() const;

protected:
    /** The link reading on its own (first links child, its link children). */
    void readLinks (const juce::XmlElement& element, ParameterManager& parameterSet);
    /** The action reading on its own (first actions child, its action children). */
    void readActions (const juce::XmlElement& element, const EventsMap& eventMap);

    juce::Array<Listener*> listeners;
    Parameter* linkedParameter = nullptr;

    JUCE_DECLARE_NON_COPYABLE (GUIController)
};
