#include "editor/PathComponent.h"

#include "editor/DefaultLookAndFeel.h"

namespace
{
    constexpr int textInset = 4;
    constexpr int buttonGap = 4;
}

PathComponent::PathComponent()
    : juce::Component ("PathComponent")
{
    browseButton.addListener (this);
    addAndMakeVisible (browseButton);
}

PathComponent::~PathComponent()
{
    browseButton.removeListener (this);
}

void PathComponent::setPath (const juce::String& newPath, bool notify)
{
    if (newPath.equalsIgnoreCase (path))
        return;

    path = newPath;
    repaint();

    if (notify)
        listeners.call ([this] (Listener& l) { l.pathChanged (this); });
}

void PathComponent::setChooser (const juce::String& title, const juce::File& startFile, const juce::String& pattern)
{
    chooserTitle = title;
    chooserStart = startFile;
    chooserPattern = pattern;
}

void PathComponent::addListener (Listener* listener)     { listeners.add (listener); }
void PathComponent::removeListener (Listener* listener)  { listeners.remove (listener); }

void PathComponent::lookAndFeelChanged()
{
    if (dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()) != nullptr)
        font = DefaultLookAndFeel::getStandardFontOf (getLookAndFeel());

    resized();
    repaint();
}

void PathComponent::enablementChanged()
{
    browseButton.setEnabled (isEnabled());
    repaint();
}

juce::Rectangle<int> PathComponent::getPathBox() const
{
    return getLocalBounds().withRight (juce::jmax (0, browseButton.getX() - buttonGap));
}

bool PathComponent::isPathClipped() const
{
    return font.getStringWidthFloat (path) > (float) (getPathBox().getWidth() - 2 * textInset);
}

void PathComponent::resized()
{
    browseButton.setTopLeftPosition (getWidth() - browseButton.getWidth(),
                                     (getHeight() - browseButton.getHeight()) / 2);
}

void PathComponent::paint (juce::Graphics& g)
{
    if (! isEnabled())
        g.beginTransparencyLayer (0.5f);

    const auto box = getPathBox();
    g.setColour (findColour (DefaultLookAndFeel::pathBoxBackgroundColourId));
    g.fillRoundedRectangle (box.toFloat(), 4.0f);
    g.setColour (findColour (DefaultLookAndFeel::pathBoxOutlineColourId));
    g.drawRoundedRectangle (box.toFloat().reduced (0.5f), 4.0f, 1.0f);

    g.setColour (findColour (DefaultLookAndFeel::pathBoxTextColourId));
    g.setFont (font);
    auto textArea = box.reduced (textInset, 0);

    if (isPathClipped())
    {
        const auto markerWidth = font.getStringWidth (clippedMarker);
        const auto marker = textArea.removeFromRight (markerWidth);
        {
            juce::Graphics::ScopedSaveState save (g);
            g.reduceClipRegion (textArea);
            g.drawText (path, textArea.withWidth (font.getStringWidth (path)), juce::Justification::centredLeft, false);
        }
        g.drawText (clippedMarker, marker, juce::Justification::centredLeft, false);
    }
    else
    {
        g.drawText (path, textArea, juce::Justification::centredLeft, false);
    }

    if (! isEnabled())
        g.endTransparencyLayer();
}

void PathComponent::buttonClicked (juce::Button*)
{
    chooser = std::make_unique<juce::FileChooser> (chooserTitle, chooserStart, chooserPattern);

    juce::Component::SafePointer<PathComponent> safeThis (this);
    chooser->launchAsync (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                          [safeThis] (const juce::FileChooser& fc)
                          {
                              if (safeThis == nullptr)
                                  return;

                              const auto file = fc.getResult();

                              if (file != juce::File())
                                  safeThis->setPath (file.getFullPathName(), true);
                          });
}
