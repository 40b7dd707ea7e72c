#include "skin/SkinImage.h"

#include "plugin/EmbeddedResources.h"

SkinImage::SkinImage (const juce::Image& normalToUse)
    : normal (normalToUse)
{
}

SkinImage::SkinImage (const juce::Image& normalToUse, const juce::Image& doubledToUse)
    : normal (normalToUse)
{
    if (normal.isValid() && doubledToUse.getWidth() == 2 * normal.getWidth() && doubledToUse.getHeight() == 2 * normal.getHeight())
        doubled = doubledToUse;
}

SkinImage SkinImage::getClippedImage (juce::Rectangle<int> area) const
{
    if (! normal.isValid())
        return {};

    return { normal.getClippedImage (area), doubled.isValid() ? doubled.getClippedImage (area * 2) : juce::Image() };
}

void SkinImage::draw (juce::Graphics& g, juce::Rectangle<int> destination, juce::Rectangle<int> source) const
{
    if (! normal.isValid() || destination.isEmpty() || source.isEmpty())
        return;

    // More screen pixels than units: the doubled picture, when there is one.
    const bool sharper = doubled.isValid() && g.getInternalContext().getPhysicalPixelScaleFactor() > 1.0f;
    const auto& image = sharper ? doubled : normal;
    const auto from = sharper ? source * 2 : source;

    const juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImage (image, destination.getX(), destination.getY(), destination.getWidth(), destination.getHeight(),
                 from.getX(), from.getY(), from.getWidth(), from.getHeight());
}

void SkinImage::drawAt (juce::Graphics& g, int x, int y) const
{
    draw (g, getBounds().withPosition (x, y), getBounds());
}

SkinImage SkinImage::loadResource (const juce::String& fileName)
{
    juce::Image image, doubledImage;

    if (! loadResourceImage (fileName, image))
        return {};

    loadResourceImage (doubledName (fileName), doubledImage);
    return { image, doubledImage };
}

juce::String SkinImage::doubledName (const juce::String& fileName)
{
    const auto dot = fileName.lastIndexOfChar ('.');
    return dot < 0 ? fileName + "@2x" : fileName.substring (0, dot) + "@2x" + fileName.substring (dot);
}
