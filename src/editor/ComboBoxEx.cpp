#include "editor/ComboBoxEx.h"

#include "editor/DefaultLookAndFeel.h"

ComboBoxEx::ComboBoxEx (const juce::String& name)
    : juce::Component (name)
{
    popupMenu.addListener (this);
    // The overlay finds the editor above it through this parent.
    addChildComponent (popupMenu.getPopup());
}

ComboBoxEx::~ComboBoxEx()
{
    popupMenu.removeListener (this);
}

void ComboBoxEx::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (juce::Colour (0xFFE3E3E3));
    g.fillRoundedRectangle (bounds, 4.0f);
    g.setColour (juce::Colours::white);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 4.0f, 1.0f);

    g.setColour (juce::Colours::black);
    g.setFont (DefaultLookAndFeel::interfaceFont (13.0f));
    {
        // The embedded face has no italic: slant it about the text's middle.
        juce::Graphics::ScopedSaveState save (g);

        if (isTextItalic())
            g.addTransform (juce::AffineTransform::shear (-0.2f, 0.0f).translated (0.2f * (float) getHeight() * 0.5f, 0.0f));

        g.drawText (text, 4, 0, getWidth(), getHeight(), juce::Justification::centredLeft, false);
    }

    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    g.setColour (juce::Colours::black.withAlpha (0.75f));
    g.drawLine (w - 13.0f, 2.0f, w - 13.0f, h - 2.0f);

    juce::Path arrow;
    arrow.addTriangle (w - 10.5f, h * 0.5f - 3.0f, w - 4.5f, h * 0.5f - 3.0f, w - 7.5f, h * 0.5f + 3.0f);
    g.setColour (juce::Colours::black);
    g.fillPath (arrow);
}

void ComboBoxEx::mouseDown (const juce::MouseEvent&)
{
    popupMenu.showAt ({ 0, getHeight() }, this);
}

void ComboBoxEx::itemSelected (PopupMenuEx* menu, int itemId)
{
    if (menu != &popupMenu || itemId == selected)
        return;

    selected = itemId;

    auto newText = popupMenu.itemText (itemId);

    if (newText.isEmpty())
        newText = "---";

    if (newText != text)
    {
        text = newText;
        repaint();
    }

    popupMenu.setTicked (itemId, true, true);

    auto* item = popupMenu.findItem (itemId);
    const bool enabled = item != nullptr && item->enabled;

    if (enabled != selectedEnabled)
    {
        selectedEnabled = enabled;
        repaint();
    }

    listeners.call ([this] (Listener& l) { l.selectionChanged (this); });
}
