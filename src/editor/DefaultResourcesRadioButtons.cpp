#include "editor/DefaultResourcesRadioButtons.h"

namespace
{
    constexpr int fieldGap = 8;
}

DefaultResourcesRadioButtons::DefaultResourcesRadioButtons (const juce::String& titleText, const juce::StringArray& optionTexts)
    : RadioButtons (titleText, optionTexts)
{
    pathField.addListener (this);
    pathField.setEnabled (false);
    addAndMakeVisible (pathField);
    resized();
}

DefaultResourcesRadioButtons::~DefaultResourcesRadioButtons()
{
    pathField.removeListener (this);
}

void DefaultResourcesRadioButtons::resized()
{
    RadioButtons::resized();

    const auto lastRow = getOptions().size() - 1;

    if (lastRow < 0)
        return;

    const auto& measures = getLook();
    const auto x = getTextX() + getWidestOptionWidth() + fieldGap;
    const auto height = juce::jmin (measures.rowHeight, 20);
    pathField.setBounds (x, getRowY (lastRow) + (measures.rowHeight - height) / 2,
                         juce::jmax (0, getWidth() - measures.titleIndent - x), height);
}

void DefaultResourcesRadioButtons::selectionChanged()
{
    pathField.setEnabled (getSelectedIndex() == getOptions().size() - 1);
}

void DefaultResourcesRadioButtons::pathChanged (PathComponent*)
{
    sendChange();
}
