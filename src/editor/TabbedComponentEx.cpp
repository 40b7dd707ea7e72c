#include "editor/TabbedComponentEx.h"

#include "editor/DefaultLookAndFeel.h"

TabbedComponentEx::TabbedComponentEx()
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop)
{
    setTabBarDepth (tabBarDepth);
    setIndent (DefaultLookAndFeel::tabEdgeIndent);
    setOutline (0);
}

TabbedComponentEx::~TabbedComponentEx() = default;

void TabbedComponentEx::addListener (Listener* listener)     { listeners.add (listener); }
void TabbedComponentEx::removeListener (Listener* listener)  { listeners.remove (listener); }

void TabbedComponentEx::paint (juce::Graphics& g)
{
    const auto frame = getLocalBounds().toFloat().withTrimmedTop ((float) getTabBarDepth()).reduced (0.5f);
    const auto index = getCurrentTabIndex();
    g.setColour (index >= 0 ? getTabBackgroundColour (index) : findColour (DefaultLookAndFeel::tabBackgroundColourId));
    g.fillRoundedRectangle (frame, 4.0f);
    g.setColour (findColour (DefaultLookAndFeel::tabOutlineColourId));
    g.drawRoundedRectangle (frame, 4.0f, 1.0f);
}

void TabbedComponentEx::currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName)
{
    // The shown page follows the look of the window it is in.
    if (auto* page = getCurrentContentComponent())
        page->setLookAndFeel (&getLookAndFeel());

    listeners.call ([&] (Listener& l) { l.currentTabChanged (this, newCurrentTabIndex, newCurrentTabName); });
}
