#include "skin/GFXSliderControl.h"

#include "skin/SliderControlLook.h"

GFXSliderControl::GFXSliderControl (const juce::String& controlName)
    : juce::Slider (controlName)
{
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);

    // JUCE's own defaults, stated so that the feel does not depend on them.
    setMouseDragSensitivity (250);
    setVelocityBasedMode (false);
    setVelocityModeParameters (1.0, 1, 0.0, true, juce::ModifierKeys::ctrlAltCommandModifiers);
    setScrollWheelEnabled (true);
    setDoubleClickReturnValue (false, 0.0);
    setPopupMenuEnabled (false);
    setPopupDisplayEnabled (false, false, nullptr);
}

GFXSliderControl::~GFXSliderControl() = default;

void GFXSliderControl::loadFromXml (const juce::XmlElement& element,
                                    ParameterManager& parameterSet,
                                    const EventsMap& eventMap,
                                    juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);
    applyBoundsToComponent();
    repaint();
}

void GFXSliderControl::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setValue (parameter->getNormalisedValue(), juce::dontSendNotification);
}

void GFXSliderControl::paint (juce::Graphics& g)
{
    if (hasFilmStrip())
    {
        drawFrame (g, frameToPaint());
        return;
    }

    SliderControlLook::paintFallback (g, *this, linkedParameter, fallbackValueText(),
                                      [this] (juce::Graphics& sliderGraphics) { juce::Slider::paint (sliderGraphics); });
}

void GFXSliderControl::startedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->beginGesture();
    sendDragStarted();
}

void GFXSliderControl::stoppedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->endGesture();
    sendDragEnded();
}

void GFXSliderControl::valueChanged()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->setNormalisedValue ((float) getValue(), true);
    sendValueChanged();
}
