#include "skin/GFXButton.h"

#include "plugin/XmlNames.h"

void readClickEventAttribute (const juce::XmlElement& element, juce::Button& button)
{
    const auto clickEvent = SkinXml::readString (element, "clickEvent", "onRelease");

    if (clickEvent == "onRelease")
        button.setTriggeredOnMouseDown (false);
    else if (clickEvent == "onPress")
        button.setTriggeredOnMouseDown (true);
}

//==============================================================================
GFXButton::GFXButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (false);
    setTriggeredOnMouseDown (false);
    setAutoRepeat (false);

    if (name.isNotEmpty())
        setSize (juce::Font (12.0f).getStringWidth (name) + 8, 18);
    else
        setSize (18, 18);
}

GFXButton::~GFXButton() = default;

void GFXButton::addAction (const juce::String& type, int eventId, const juce::String& eventName)
{
    if (type == "onClick")
    {
        clickEventId = eventId;
        clickEventName = eventName;
    }
    else if (type == "onClickWithCtrl")
    {
        ctrlClickEventId = eventId;
        ctrlClickEventName = eventName;
    }
}

void GFXButton::loadFromXml (const juce::XmlElement& element,
                             ParameterManager& parameterSet,
                             const EventsMap& eventMap,
                             juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);

    if (XmlNames::hasTag (element, "Button"))
    {
        readClickEventAttribute (element, *this);

        const auto repeat = SkinXml::readString (element, "autorepeat", "no");

        if (repeat == "yes")
            setAutoRepeat (true);
        else if (repeat == "no")
            setAutoRepeat (false);
    }

    applyBoundsToComponent();
    repaint();
}

void GFXButton::setAutoRepeat (bool shouldRepeat)
{
    autoRepeat = shouldRepeat;

    // A minimum delay below zero turns the button's acceleration off.
    if (shouldRepeat)
        setRepeatSpeed (autoRepeatFirstDelayMs, autoRepeatIntervalMs, -1);
    else
        setRepeatSpeed (-1, 0, -1);
}

juce::String GFXButton::getTooltipFor (const juce::ModifierKeys& modifiers) const
{
    if (modifiers.isCtrlDown() && ctrlClickEventId != noEvent)
        return ctrlClickEventName;

    return clickEventName;
}

void GFXButton::updateTooltip (const juce::ModifierKeys& modifiers)
{
    const auto tip = getTooltipFor (modifiers);

    if (tip != getTooltip())
        setTooltip (tip);
}

void GFXButton::mouseEnter (const juce::MouseEvent& event)
{
    juce::Button::mouseEnter (event);
    updateTooltip (event.mods);
}

void GFXButton::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    juce::Button::modifierKeysChanged (modifiers);
    updateTooltip (modifiers);
}

void GFXButton::clicked (const juce::ModifierKeys& modifiers)
{
    const auto eventId = modifiers.isCtrlDown() ? ctrlClickEventId : clickEventId;

    if (eventId != noEvent)
        fireEvent (eventId);
}

void GFXButton::paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    if (hasFilmStrip())
        drawFrame (g, frameFor (isMouseOver, isMouseDown));
    else
        paintFallback (g, isMouseOver, isMouseDown);
}

void GFXButton::paintFallback (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const auto bounds = getLocalBounds();

    g.setColour (juce::Colour::greyLevel ((isMouseOver && isMouseDown) ? 0.4f : 0.9f));
    g.fillRect (bounds);

    g.setColour (juce::Colours::black);
    g.drawRect (bounds, 1);

    const auto caption = getButtonText();

    if (caption.isNotEmpty())
    {
        // isEnabled() is false also when a parent is disabled.
        g.setColour (isEnabled() ? juce::Colours::black : juce::Colour::greyLevel (0.5f));
        g.setFont (juce::Font (12.0f));
        g.drawFittedText (caption, bounds, juce::Justification::centred, 1, 0.7f);
    }
}
