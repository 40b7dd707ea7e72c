#include "skin/BaseGFXController.h"

#include "plugin/EmbeddedResources.h"

#include <cmath>

BaseGFXController::BaseGFXController() = default;
BaseGFXController::~BaseGFXController() = default;

void BaseGFXController::loadFromXml (const juce::XmlElement& element,
                                     ParameterManager& parameterSet,
                                     const EventsMap& eventMap,
                                     juce::Component* editor)
{
    GUIController::loadFromXml (element, parameterSet, eventMap, editor);

    if (! readFilmStrip (element))
        readSize (element);

    readPosition (element);
}

int BaseGFXController::frameIndexFor (double value, int frameCount)
{
    if (frameCount <= 1)
        return 0;

    // NaN reads as 0 as well.
    if (! (value > 0.0))
        value = 0.0;
    else if (value > 1.0)
        value = 1.0;

    const auto index = (int) std::floor ((double) (frameCount - 1) * value + 0.5);
    return juce::jlimit (0, frameCount - 1, index);
}

void BaseGFXController::drawFrame (juce::Graphics& g, int index) const
{
    if (! filmStrip.isValid() || frameWidth <= 0 || frameHeight <= 0)
        return;

    index = juce::jlimit (0, juce::jmax (0, frameCount - 1), index);
    filmStrip.draw (g, { 0, 0, frameWidth, frameHeight }, { 0, index * frameHeight, frameWidth, frameHeight });
}

void BaseGFXController::setFilmStrip (const SkinImage& image, int newFrameCount)
{
    frameCount = juce::jmax (1, newFrameCount);

    if (! image.isValid())
    {
        filmStrip = {};
        return;
    }

    filmStrip = image;
    setFrameSize (image.getWidth(), image.getHeight() / frameCount);
}

bool BaseGFXController::readFilmStrip (const juce::XmlElement& element)
{
    frameCount = 1;

    const auto* gfx = SkinXml::findChild (element, "gfx");

    if (gfx == nullptr)
        return false;

    return loadFilmStrip (SkinXml::readString (*gfx, "resource"), SkinXml::readInt (*gfx, "framesNum", 1));
}

bool BaseGFXController::loadFilmStrip (const juce::String& resourceFileName, int newFrameCount)
{
    // A frame count below 1 would divide by zero; it counts as one frame.
    frameCount = juce::jmax (1, newFrameCount);

    const auto image = SkinImage::loadResource (resourceFileName);

    if (! image.isValid())
        return false;

    setFilmStrip (image, frameCount);
    return true;
}

void BaseGFXController::readSize (const juce::XmlElement& element)
{
    if (const auto* size = SkinXml::findChild (element, "size"))
        setFrameSize (SkinXml::readInt (*size, "width"), SkinXml::readInt (*size, "height"));
    else
        setFrameSize (0, 0);
}

void BaseGFXController::readPosition (const juce::XmlElement& element)
{
    if (const auto* pos = SkinXml::findChild (element, "pos"))
        setSkinPosition (SkinXml::readInt (*pos, "left"), SkinXml::readInt (*pos, "top"));
    else
        setSkinPosition (0, 0);
}

void BaseGFXController::setFrameSize (int width, int height)
{
    if (width == frameWidth && height == frameHeight)
        return;

    frameWidth = width;
    frameHeight = height;
    sizeChanged();
}

void BaseGFXController::setSkinPosition (int newLeft, int newTop)
{
    if (newLeft == left && newTop == top)
        return;

    left = newLeft;
    top = newTop;
    positionChanged();
}

void BaseGFXController::applyBoundsToComponent()
{
    if (auto* component = getComponent())
        component->setBounds (left, top, frameWidth, frameHeight);
}
