#include "skin/GFXMultiStateButton.h"

#include "plugin/XmlNames.h"
#include "skin/GFXButton.h"

#include <cmath>

GFXMultiStateButton::GFXMultiStateButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (false);
    setTriggeredOnMouseDown (false);
}

GFXMultiStateButton::~GFXMultiStateButton()
{
    stopTimer();
}

void GFXMultiStateButton::addAction (const juce::String& type, int eventId, const juce::String&)
{
    if (type == "onClick")
        clickEventId = eventId;
    else if (type == "onClickWithCtrl")
        ctrlClickEventId = eventId;
}

void GFXMultiStateButton::loadFromXml (const juce::XmlElement& element,
                                       ParameterManager& parameterSet,
                                       const EventsMap& eventMap,
                                       juce::Component* editor)
{
    GUIController::loadFromXml (element, parameterSet, eventMap, editor);
    readPosition (element);
    readSize (element);

    if (XmlNames::hasTag (element, "MultiStateButton"))
    {
        const auto styleText = SkinXml::readString (element, "style", "2D");

        if (styleText == "2D")
            style = style2D;
        else if (styleText == "3D")
            style = style3D;

        setNumStates (SkinXml::readInt (element, "states", 2));

        if (const auto* gfx = SkinXml::findChild (element, "gfx"))
        {
            juce::ignoreUnused (SkinXml::readInt (*gfx, "framesNum", 1));
            loadFilmStrip (SkinXml::readString (*gfx, "resource"), frameCountForStyle());
        }

        readClickEventAttribute (element, *this);
        setRadioGroupId (SkinXml::readInt (element, "radioGroupId", 0), juce::dontSendNotification);
    }

    repaint();
}

void GFXMultiStateButton::parameterValueChanged (Parameter* parameter)
{
    if (parameter == nullptr)
        return;

    const auto value = juce::jlimit (0.0, 1.0, (double) parameter->getNormalisedValue());
    setStateIndex ((int) std::floor ((double) (numStates - 1) * value + 0.5));
}

void GFXMultiStateButton::sizeChanged()
{
    setSize (frameWidth, frameHeight);
}

void GFXMultiStateButton::positionChanged()
{
    setTopLeftPosition (left, top);
}

void GFXMultiStateButton::blinkStateChanged()
{
    repaint();
}

void GFXMultiStateButton::setStateIndex (int newState)
{
    newState = juce::jlimit (0, numStates - 1, newState);

    if (newState != stateIndex)
    {
        stateIndex = newState;
        repaint();
    }
}

void GFXMultiStateButton::setNumStates (int newNumStates)
{
    if (newNumStates > 1 && newNumStates != numStates)
    {
        numStates = newNumStates;
        stateIndex = juce::jmin (stateIndex, numStates - 1);
        repaint();
    }
}

void GFXMultiStateButton::setStyle (int newStyle)
{
    style = newStyle;
    repaint();
}

void GFXMultiStateButton::clicked (const juce::ModifierKeys& modifiers)
{
    const auto eventId = modifiers.isCtrlDown() ? ctrlClickEventId : clickEventId;

    if (eventId != noEvent)
        fireEvent (eventId);
}

int GFXMultiStateButton::frameFor (bool isMouseOver, bool isMouseDown) const
{
    const auto pressed = isMouseOver && isMouseDown;

    if (isBlinkHidden())
        return (style == style3D && pressed) ? 1 : 0;

    if (style == style2D)
        return stateIndex;

    if (style == style3D)
        return 2 * stateIndex + (pressed ? 1 : 0);

    return 0;
}

void GFXMultiStateButton::paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    if (hasFilmStrip())
        drawFrame (g, frameFor (isMouseOver, isMouseDown));
    else
        paintFallback (g, isMouseOver, isMouseDown);
}

void GFXMultiStateButton::paintFallback (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const auto centre = getLocalBounds().toFloat().getCentre();
    const auto square = juce::Rectangle<float> (16.0f, 16.0f).withCentre (centre);

    g.setColour (juce::Colour::greyLevel ((isMouseOver && isMouseDown) ? 0.4f : 0.9f));
    g.fillRect (square);
    g.setColour (juce::Colours::black);
    g.drawRect (square, 1.0f);

    const auto diameter = 2.0f + 10.0f * (float) stateIndex / (float) (numStates - 1);
    g.fillEllipse (juce::Rectangle<float> (diameter, diameter).withCentre (centre));
}
