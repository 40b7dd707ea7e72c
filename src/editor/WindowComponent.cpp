#include "editor/WindowComponent.h"

#include "editor/DefaultLookAndFeel.h"
#include "editor/FrameworkArtwork.h"

namespace
{
    constexpr int decorationDepth = 10;
    constexpr float cornerRadius = 8.0f;
    const juce::Rectangle<int> titleBarArea (8, 8, 0, 28);   // width follows the window
}

WindowComponent::WindowComponent (const juce::String& name)
    : PseudoModalComponent (name),
      titleFont (DefaultLookAndFeel::interfaceFont (15.0f, juce::Font::bold))
{
    icon = FrameworkArtwork::getWindowIcon();
    closeButton.addListener (this);
    addAndMakeVisible (closeButton);
    lookAndFeelChanged();
}

WindowComponent::~WindowComponent()
{
    closeButton.removeListener (this);
}

void WindowComponent::setTitle (const juce::String& newTitle)
{
    title = newTitle;
    repaint();
}

int WindowComponent::decorationThickness() const
{
    return decorationSide == noDecoration ? 0 : decorationDepth;
}

juce::Rectangle<int> WindowComponent::getOuterBoundsForContent (int width, int height) const
{
    auto w = width + 2 * contentMargin;
    auto h = height + 2 * contentMargin + (titleBarShown ? titleBarSpace : 0);

    if (border)
    {
        w += 2 * borderThickness;
        h += 2 * borderThickness;
    }

    if (decorationSide == decorationTop || decorationSide == decorationBottom)
        h += decorationThickness();
    else if (decorationSide == decorationLeft || decorationSide == decorationRight)
        w += decorationThickness();

    return { juce::jmax (minimumWidth, w), juce::jmax (minimumHeight, h) };
}

void WindowComponent::setContentSize (int width, int height)
{
    const auto outer = getOuterBoundsForContent (width, height);
    setSize (outer.getWidth(), outer.getHeight());
}

juce::Rectangle<int> WindowComponent::contentArea() const
{
    auto area = getLocalBounds();

    if (border)
        area.reduce (borderThickness, borderThickness);

    switch (decorationSide)
    {
        case decorationTop:    area.removeFromTop (decorationThickness()); break;
        case decorationBottom: area.removeFromBottom (decorationThickness()); break;
        case decorationLeft:   area.removeFromLeft (decorationThickness()); break;
        case decorationRight:  area.removeFromRight (decorationThickness()); break;
        default: break;
    }

    area.reduce (contentMargin, contentMargin);

    if (titleBarShown)
        area.removeFromTop (titleBarSpace);

    return area;
}

void WindowComponent::setRounded (bool shouldBeRounded)       { rounded = shouldBeRounded; repaint(); }
void WindowComponent::setHasBorder (bool shouldHaveBorder)    { border = shouldHaveBorder; resized(); repaint(); }

void WindowComponent::setTitleBarShown (bool shouldShowTitleBar)
{
    titleBarShown = shouldShowTitleBar;
    closeButton.setVisible (titleBarShown);
    resized();
    repaint();
}

void WindowComponent::setDecorationSide (int side)
{
    decorationSide = juce::isPositiveAndBelow (side, 5) ? side : noDecoration;
    resized();
    repaint();
}

void WindowComponent::makeDockedPanel()
{
    setRounded (false);
    setHasBorder (false);
    setTitleBarShown (false);
    setDecorationSide (decorationTop);
}

void WindowComponent::lookAndFeelChanged()
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        lf->setIconImages (closeButton, 0, true);
    else
    {
        closeButton.setIcons (FrameworkArtwork::getIcon (0, true, false), FrameworkArtwork::getIcon (0, true, true));
        closeButton.setSize (FrameworkArtwork::smallIconSize, FrameworkArtwork::smallIconSize);
    }

    resized();
}

void WindowComponent::parentHierarchyChanged()
{
    PseudoModalComponent::parentHierarchyChanged();
    lookAndFeelChanged();
}

void WindowComponent::resized()
{
    closeButton.setTopLeftPosition (getWidth() - closeButton.getWidth() - 10, 8);
}

void WindowComponent::buttonClicked (juce::Button* button)
{
    if (button == &closeButton)
        hide();
}

void WindowComponent::paint (juce::Graphics& g)
{
    auto bounds = getLocalBounds().toFloat();

    g.setColour (findColour (DefaultLookAndFeel::windowBackgroundColourId));

    if (rounded)
        g.fillRoundedRectangle (border ? bounds.reduced (1.0f) : bounds, cornerRadius);
    else
        g.fillRect (bounds);

    if (const auto decoration = FrameworkArtwork::getDecoration (decorationSide); decoration.isValid())
    {
        // Tiled along its side, inside the border.
        const auto inner = border ? getLocalBounds().reduced (borderThickness) : getLocalBounds();
        const bool horizontal = decorationSide == decorationTop || decorationSide == decorationBottom;
        const auto strip = horizontal
            ? (decorationSide == decorationTop ? inner.withHeight (decorationDepth)
                                               : inner.withTop (inner.getBottom() - decorationDepth))
            : (decorationSide == decorationLeft ? inner.withWidth (decorationDepth)
                                                : inner.withLeft (inner.getRight() - decorationDepth));

        juce::Graphics::ScopedSaveState save (g);
        g.reduceClipRegion (strip);
        g.setOpacity (1.0f);

        if (horizontal)
            for (int x = strip.getX(); x < strip.getRight(); x += decoration.getWidth())
                decoration.drawAt (g, x, strip.getY());
        else
            for (int y = strip.getY(); y < strip.getBottom(); y += decoration.getHeight())
                decoration.drawAt (g, strip.getX(), y);
    }

    if (border)
    {
        g.setColour (findColour (DefaultLookAndFeel::windowBorderColourId));
        const auto frame = bounds.reduced (borderThickness * 0.5f);

        if (rounded)
            g.drawRoundedRectangle (frame, cornerRadius, (float) borderThickness);
        else
            g.drawRect (bounds, (float) borderThickness);
    }

    if (titleBarShown)
    {
        const auto bar = titleBarArea.withWidth (getWidth() - 16).toFloat();
        g.setColour (findColour (DefaultLookAndFeel::windowTitleBarColourId));
        g.fillRoundedRectangle (bar.reduced (1.0f), 4.0f);
        g.setColour (findColour (DefaultLookAndFeel::windowTitleColourId));
        g.drawRoundedRectangle (bar, 5.0f, 1.0f);

        icon.drawAt (g, 11, 10);

        const auto iconWidth = icon.isValid() ? icon.getWidth() : 24;
        g.setFont (titleFont);
        g.drawText (title,
                    juce::Rectangle<int> (iconWidth + 14, 8,
                                          getWidth() - closeButton.getWidth() - iconWidth - 28, 28),
                    juce::Justification::centredLeft, false);
    }
}
