#include "skin/GFXAnimation.h"

#include <cmath>

GFXAnimation::GFXAnimation (const juce::String& controlName)
    : juce::Component (controlName)
{
}

GFXAnimation::~GFXAnimation()
{
    stopTimer();
}

void GFXAnimation::loadFromXml (const juce::XmlElement& element,
                                ParameterManager& parameterSet,
                                const EventsMap& eventMap,
                                juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);
    currentFrame = 0;
    repaint();
}

void GFXAnimation::setValue (float value)
{
    const auto frame = frameIndexFor ((double) value);

    if (frame != currentFrame)
    {
        currentFrame = frame;
        repaint();
    }
}

void GFXAnimation::parameterValueChanged (Parameter* parameter)
{
    if (parameter != nullptr)
        setValue (parameter->getNormalisedValue());
}

void GFXAnimation::setCurrentFrame (int frame)
{
    if (frame != currentFrame)
    {
        currentFrame = frame;
        repaint();
    }
}

void GFXAnimation::pulse (int frame, int durationMs)
{
    setCurrentFrame (frame);
    durationMs = juce::jmax (1, durationMs);
    pulseEndMs = juce::Time::getMillisecondCounterHiRes() + durationMs;
    startTimer (durationMs);
}

void GFXAnimation::timerCallback()
{
    // JUCE's timers may fire a first callback early (by up to the timer
    // thread's sleep); the frame stays for the whole pulse.
    const auto remainingMs = pulseEndMs - juce::Time::getMillisecondCounterHiRes();

    if (remainingMs >= 1.0)
    {
        startTimer (juce::jmax (1, (int) std::ceil (remainingMs)));
        return;
    }

    stopTimer();

    if (currentFrame != restFrame)
    {
        currentFrame = restFrame;
        repaint();
    }
}

void GFXAnimation::sizeChanged()
{
    setSize (frameWidth, frameHeight);
}

void GFXAnimation::positionChanged()
{
    setTopLeftPosition (left, top);
}

void GFXAnimation::paint (juce::Graphics& g)
{
    if (hasFilmStrip())
    {
        drawFrame (g, isBlinkHidden() ? 0 : currentFrame);
        return;
    }

    // A square with a dot that grows with the frame.
    const auto square = juce::Rectangle<int> (juce::jmax (0, (getWidth() - 16) / 2),
                                              juce::jmax (0, (getHeight() - 16) / 2),
                                              16, 16);
    g.setColour (juce::Colour::greyLevel (0.9f));
    g.fillRect (square);
    g.setColour (juce::Colours::black);
    g.drawRect (square, 1);

    if (frameCount > 1)
    {
        const auto diameter = 10.0f * (float) currentFrame / (float) (frameCount - 1);
        const auto centre = square.toFloat().getCentre();
        g.fillEllipse (centre.x - diameter * 0.5f, centre.y - diameter * 0.5f, diameter, diameter);
    }
}
