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

void GFXSliderControl::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    // The slider moves 0.15 of the range times the delta, and a notch of a
    // wheel comes as a fraction (JUCE's X11 peer reports 50/256): each notch
    // counts as one whole step. A smooth (touchpad) scroll keeps its
    // proportion, a notch's delta being one step.
    constexpr float notch = 50.0f / 256.0f;
    auto step = wheel;
    const auto toStep = [&] (float delta)
    {
        if (delta == 0.0f)
            return 0.0f;

        return wheel.isSmooth ? delta / notch : (delta > 0.0f ? 1.0f : -1.0f);
    };

    step.deltaX = toStep (wheel.deltaX);
    step.deltaY = toStep (wheel.deltaY);
    juce::Slider::mouseWheelMove (e, step);
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
