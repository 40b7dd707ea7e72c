#include "skin/GFXToggleButton.h"

#include "plugin/XmlNames.h"
#include "skin/GFXButton.h"
#include "skin/ToggleDragGroups.h"

GFXToggleButton::GFXToggleButton (const juce::String& name)
    : juce::Button (name)
{
    setClickingTogglesState (true);
    setTriggeredOnMouseDown (false);
}

GFXToggleButton::~GFXToggleButton()
{
    if (dragGroup != nullptr)
        if (auto* registry = GFXToggleButtonDragGroup::getInstanceWithoutCreating())
            registry->leave (dragGroupName, this);
}

void GFXToggleButton::loadFromXml (const juce::XmlElement& element,
                                   ParameterManager& parameterSet,
                                   const EventsMap& eventMap,
                                   juce::Component* editor)
{
    GUIController::loadFromXml (element, parameterSet, eventMap, editor);
    readPosition (element);
    readSize (element);

    if (XmlNames::hasTag (element, "ToggleButton"))
    {
        const auto styleText = SkinXml::readString (element, "style", "2D");

        if (styleText == "2D")
            style = style2D;
        else if (styleText == "3D")
            style = style3D;

        if (const auto* gfx = SkinXml::findChild (element, "gfx"))
        {
            // framesNum is read by the format but the style fixes the frame count.
            juce::ignoreUnused (SkinXml::readInt (*gfx, "framesNum", 1));
            loadFilmStrip (SkinXml::readString (*gfx, "resource"), frameCountForStyle (style));
        }

        readClickEventAttribute (element, *this);

        // Turns the other toggles of the new group off when this one is on.
        setRadioGroupId (SkinXml::readInt (element, "radioGroupId", 0), juce::dontSendNotification);

        if (const auto groupName = XmlNames::findAttribute (element, "dragGroup"))
            setDragGroup (*groupName);
    }

    repaint();
}

void GFXToggleButton::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setToggleState (parameter->getBoolValue(), juce::dontSendNotification);
}

void GFXToggleButton::sizeChanged()
{
    setSize (frameWidth, frameHeight);
}

void GFXToggleButton::positionChanged()
{
    setTopLeftPosition (left, top);
}

void GFXToggleButton::blinkStateChanged()
{
    repaint();
}

void GFXToggleButton::setStyle (int newStyle)
{
    style = newStyle;

    if (hasFilmStrip())
        setFilmStrip (filmStrip, frameCountForStyle (style));

    repaint();
}

void GFXToggleButton::setDragGroup (const juce::String& groupName)
{
    auto& registry = GFXToggleButtonDragGroup::getInstance();

    if (dragGroup != nullptr)
        registry.leave (dragGroupName, this);

    dragGroupName = groupName;
    dragGroup = &registry;
    registry.join (dragGroupName, this);
}

void GFXToggleButton::clicked (const juce::ModifierKeys&)
{
    const auto state = getToggleState();

    // A click never turns a radio toggle off: this one was turned off because
    // another toggle of its group came on, and its parameter stays as it is.
    if (getRadioGroupId() != 0 && ! state)
        return;

    if (linkedParameter != nullptr)
    {
        linkedParameter->setBoolValue (state, true);
        sendValueChanged();
    }

    if (dragGroup != nullptr)
        dragGroup->setDragState (dragGroupName, state);
}

void GFXToggleButton::mouseDown (const juce::MouseEvent& event)
{
    juce::Button::mouseDown (event);

    if (dragGroup != nullptr)
        dragGroup->setPressPosition (dragGroupName, event.getScreenX(), event.getScreenY());
}

void GFXToggleButton::mouseDrag (const juce::MouseEvent& event)
{
    juce::Button::mouseDrag (event);

    if (dragGroup != nullptr)
        dragGroup->applyDrag (dragGroupName, event.getScreenX());
}

int GFXToggleButton::frameFor (bool isMouseOver, bool isMouseDown) const
{
    // isEnabled() is false also when a parent is disabled.
    if (! isEnabled() || isBlinkHidden() || ! getToggleState())
        return 0;

    if (style != style3D)
        return 1;

    return (isMouseOver && isMouseDown) ? 3 : 2;
}

void GFXToggleButton::paintButton (juce::Graphics& g, bool isMouseOver, bool isMouseDown)
{
    if (hasFilmStrip())
        drawFrame (g, frameFor (isMouseOver, isMouseDown));
    else
        paintFallback (g);
}

void GFXToggleButton::paintFallback (juce::Graphics& g)
{
    const auto bounds = getLocalBounds();
    const auto width = bounds.getWidth();
    const auto height = bounds.getHeight();
    const auto on = getToggleState();

    g.setColour (juce::Colour::greyLevel (0.7f));
    g.drawRect (bounds, 1);

    constexpr int textHeight = 16;
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (12.0f));
    g.drawFittedText (on ? "On" : "Off", 0, 0, width, textHeight,
                      juce::Justification::centredTop, 2, 0.7f);

    if (linkedParameter != nullptr)
        g.drawFittedText (linkedParameter->getName(), 0, height - textHeight, width, textHeight,
                          juce::Justification::centredBottom, 2, 0.7f);

    const auto side = 0.75f * (float) juce::jmin (height - 2 * textHeight, width);

    if (side > 0.0f)
    {
        const auto square = juce::Rectangle<float> (side, side).withCentre (bounds.toFloat().getCentre());

        if (on && isEnabled())
            g.fillRect (square);
        else
            g.drawRect (square, 1.0f);
    }
}
