#include "editor/BasePluginEditor.h"

#include "plugin/BasePlugin.h"

BasePluginEditor::BasePluginEditor (BasePlugin& owner)
    : processor (owner)
{
    setName (processor.getPluginName() + " Editor");
    setEditorSize (defaultWidth, defaultHeight);
}

BasePluginEditor::~BasePluginEditor()
{
    stopTimer();
    setLookAndFeel (nullptr);
}

void BasePluginEditor::setEditorSize (int width, int height)
{
    contentHeight = height;
    setSize (width, height);

    if (auto* parent = getParentComponent())
        parent->setSize (width, height);
}

void BasePluginEditor::buildDefaultLayout()
{
}

void BasePluginEditor::applyLookAndFeel()
{
    setLookAndFeel (&lookAndFeel);
}

void BasePluginEditor::paint (juce::Graphics& g)
{
    // Without a background image the editor shows just the product's name.
    g.setColour (juce::Colour::greyLevel (0.9f));
    g.setFont (juce::Font());
    g.drawText (processor.getPluginName(), getLocalBounds(), juce::Justification::topLeft, false);
}
