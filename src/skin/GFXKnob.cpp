#include "skin/GFXKnob.h"

#include "skin/SliderControlLook.h"

GFXKnob::GFXKnob (const juce::String& controlName)
    : juce::Slider (controlName)
{
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setRange (0.0, 1.0, 0.0);
    setValue (0.0, juce::dontSendNotification);

    // JUCE's own defaults, stated so that the feel does not depend on them.
    setMouseDragSensitivity (250);
    setVelocityBasedMode (false);
    setVelocityModeParameters (1.0, 1, 0.0, true, juce::ModifierKeys::ctrlAltCommandModifiers);
    setScrollWheelEnabled (true);
    setDoubleClickReturnValue (false, 0.0);
    setPopupMenuEnabled (false);
    setPopupDisplayEnabled (false, false, nullptr);
}

GFXKnob::~GFXKnob() = default;

void GFXKnob::loadFromXml (const juce::XmlElement& element,
                           ParameterManager& parameterSet,
                           const EventsMap& eventMap,
                           juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);
    applyBoundsToComponent();
    repaint();
}

void GFXKnob::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setValue (parameter->getNormalisedValue(), juce::dontSendNotification);
}

int GFXKnob::getCurrentFrameIndex() const
{
    if (! isEnabled())
        return 0;

    const auto range = getMaximum() - getMinimum();
    const auto proportion = range > 0.0 ? (getValue() - getMinimum()) / range : 0.0;
    return frameIndexFor (proportion);
}

void GFXKnob::paint (juce::Graphics& g)
{
    if (hasFilmStrip())
    {
        drawFrame (g, getCurrentFrameIndex());
        return;
    }

    SliderControlLook::paintFallback (g, *this, linkedParameter,
                                      juce::String::formatted ("%f", getValue()),
                                      [this] (juce::Graphics& sliderGraphics) { juce::Slider::paint (sliderGraphics); });
}

void GFXKnob::startedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->beginGesture();
    sendDragStarted();
}

void GFXKnob::stoppedDragging()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->endGesture();
    sendDragEnded();
}

void GFXKnob::valueChanged()
{
    if (linkedParameter == nullptr)
        return;

    linkedParameter->setNormalisedValue ((float) getValue(), true);
    sendValueChanged();
}
