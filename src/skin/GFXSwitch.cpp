#include "skin/GFXSwitch.h"

#include "skin/SliderControlLook.h"
#include "plugin/XmlNames.h"

GFXSwitch::GFXSwitch (const juce::String& controlName)
    : juce::Slider (controlName)
{
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setRange (0.0, 1.0, 0.005);
    setValue (0.0, juce::dontSendNotification);

    setMouseDragSensitivity (250);
    setVelocityBasedMode (false);
    setVelocityModeParameters (1.0, 1, 0.0, true, juce::ModifierKeys::ctrlAltCommandModifiers);
    setScrollWheelEnabled (true);
    setDoubleClickReturnValue (false, 0.0);
    setPopupMenuEnabled (false);
    setPopupDisplayEnabled (false, false, nullptr);

    setSwitchStyle (rotaryStyle);
}

GFXSwitch::~GFXSwitch() = default;

void GFXSwitch::loadFromXml (const juce::XmlElement& element,
                             ParameterManager& parameterSet,
                             const EventsMap& eventMap,
                             juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);
    applyBoundsToComponent();
    repaint();

    if (const auto style = XmlNames::findAttribute (element, "style"))
    {
        if (style->equalsIgnoreCase ("Rotary"))
            setSwitchStyle (rotaryStyle);
        else if (style->equalsIgnoreCase ("Horizontal"))
            setSwitchStyle (horizontalStyle);
        else if (style->equalsIgnoreCase ("Vertical"))
            setSwitchStyle (verticalStyle);
    }
}

void GFXSwitch::setSwitchStyle (int newStyle)
{
    switchStyle = newStyle;

    switch (switchStyle)
    {
        case verticalStyle:   setSliderStyle (juce::Slider::LinearVertical); break;
        case horizontalStyle: setSliderStyle (juce::Slider::LinearHorizontal); break;
        default:              setSliderStyle (juce::Slider::RotaryVerticalDrag); break;
    }

    repaint();
}

void GFXSwitch::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setValue (parameter->getNormalisedValue(), juce::dontSendNotification);
}

int GFXSwitch::getCurrentFrameIndex()
{
    if (! isEnabled())
        return 0;

    return frameIndexFor (valueToProportionOfLength (getValue()));
}

void GFXSwitch::paint (juce::Graphics& g)
{
    if (hasFilmStrip())
    {
        drawFrame (g, getCurrentFrameIndex());
        return;
    }

    SliderControlLook::paintFallback (g, *this, linkedParameter,
                                      juce::String::formatted ("%.9g", getValue()),
                                      [this] (juce::Graphics& sliderGraphics) { juce::Slider::paint (sliderGraphics); });
}

void GFXSwitch::startedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->beginGesture();
    sendDragStarted();
}

void GFXSwitch::stoppedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->endGesture();
    sendDragEnded();
}

void GFXSwitch::valueChanged()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->setNormalisedValue ((float) getValue(), true);
    sendValueChanged();
}
