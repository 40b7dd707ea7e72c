#include "skin/GFXSwitch.h"

#include "plugin/XmlNames.h"

GFXSwitch::GFXSwitch (const juce::String& controlName)
    : GFXSliderControl (controlName)
{
    setRange (0.0, 1.0, 0.005);
    setValue (0.0, juce::dontSendNotification);
    setSwitchStyle (rotaryStyle);
}

GFXSwitch::~GFXSwitch() = default;

void GFXSwitch::loadFromXml (const juce::XmlElement& element,
                             ParameterManager& parameterSet,
                             const EventsMap& eventMap,
                             juce::Component* editor)
{
    GFXSliderControl::loadFromXml (element, parameterSet, eventMap, editor);

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

int GFXSwitch::getCurrentFrameIndex()
{
    if (! isEnabled())
        return 0;

    return frameIndexFor (valueToProportionOfLength (getValue()));
}
