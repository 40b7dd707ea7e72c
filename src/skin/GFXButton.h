#pragma once

#include "skin/BaseGFXController.h"

/**
    A skin push button that fires named events.

    A plain click fires the click event, a click with Ctrl held the Ctrl-click
    event (and nothing when the button has none). The button fires on release
    over it unless the skin asks for "onPress", and can repeat while held:
    first 1000 ms after the press, then every 100 ms, without acceleration.

    Its tooltip is the display name of the event a click would fire now: the
    Ctrl-click event's while Ctrl is held and the button has one, else the
    click event's.

    With a film strip it shows frame 1 while the mouse is over it and down,
    else frame 0; without one it paints a plain grey button with its name.
*/
class GFXButton : public BaseGFXController,
                  public juce::Button
{
public:
    static constexpr int autoRepeatFirstDelayMs = 1000;
    static constexpr int autoRepeatIntervalMs   = 100;
    static constexpr int noEvent = -1;

    /** The name becomes the component name and the button text. A named
        button starts as wide as its name in a 12-pixel font plus 8, by 18;
        an unnamed one 18 x 18 (the skin then gives the size). */
    explicit GFXButton (const juce::String& name = {});
    ~GFXButton() override;

    // Both bases have listeners: the controller's (the editor) and the button's.
    using BaseGFXController::addListener;
    using BaseGFXController::removeListener;
    using juce::Button::addListener;
    using juce::Button::removeListener;

    /** "onClick" sets the click event, "onClickWithCtrl" the Ctrl-click event;
        other types are ignored. */
    void addAction (const juce::String& type, int eventId, const juce::String& eventName) override;

    /** The film-strip reading; then, under the element name Button, clickEvent
        ("onPress" / "onRelease") and autorepeat ("yes" / "no"), other values
        leaving the setting alone; then place and size to one frame. */
    void loadFromXml (const juce::XmlElement& element,
                      ParameterManager& parameterSet,
                      const EventsMap& eventMap,
                      juce::Component* editor) override;

    /** On: repeat 1000 ms after the press, then every 100 ms. Off: no repeat. */
    void setAutoRepeat (bool shouldRepeat);
    bool isAutoRepeating() const noexcept              { return autoRepeat; }

    int getClickEventId() const noexcept               { return clickEventId; }
    int getCtrlClickEventId() const noexcept           { return ctrlClickEventId; }
    const juce::String& getClickEventName() const noexcept     { return clickEventName; }
    const juce::String& getCtrlClickEventName() const noexcept { return ctrlClickEventName; }

    /** The tooltip the button shows with these modifier keys held. */
    juce::String getTooltipFor (const juce::ModifierKeys& modifiers) const;

    /** The film-strip frame shown for this mouse state. */
    static int frameFor (bool isMouseOver, bool isMouseDown) noexcept { return (isMouseOver && isMouseDown) ? 1 : 0; }

    //==============================================================================
    void mouseEnter (const juce::MouseEvent& event) override;
    void modifierKeysChanged (const juce::ModifierKeys& modifiers) override;

protected:
    using juce::Button::clicked;
    void clicked (const juce::ModifierKeys& modifiers) override;
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown) override;

    /** The look without a film strip: grey 0.4 while over and down, else 0.9,
        a black 1-pixel outline and the button text centred in a 12-pixel font
        (grey when disabled). */
    void paintFallback (juce::Graphics& g, bool isMouseOver, bool isMouseDown);

    void updateTooltip (const juce::ModifierKeys& modifiers);

    int clickEventId = noEvent;
    int ctrlClickEventId = noEvent;
    juce::String clickEventName, ctrlClickEventName;

private:
    bool autoRepeat = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXButton)
};

/** Reads a clickEvent attribute into a button: "onPress" fires on press,
    "onRelease" on release; absent counts as "onRelease"; any other value
    (including a different letter case) leaves the setting alone. */
void readClickEventAttribute (const juce::XmlElement& element, juce::Button& button);
