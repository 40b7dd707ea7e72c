#include "editor/OptionsWindow.h"

OptionsWindow::OptionsWindow()
    : WindowComponent ("OptionsWindow")
{
    addAndMakeVisible (tabs);
}

OptionsWindow::~OptionsWindow()
{
    tabs.clearTabs();
}

void OptionsWindow::addTab (const juce::String& name, juce::Component* page, int index)
{
    tabs.addTab (name, juce::Colour (pageColour), page, false, index);

    if (index == 0)
    {
        // Deselect first, so that selecting tab 0 really shows the new page.
        tabs.setCurrentTabIndex (-1, false);
        tabs.setCurrentTabIndex (0, false);
    }
}

void OptionsWindow::resized()
{
    WindowComponent::resized();
    tabs.setBounds (contentArea());
}
