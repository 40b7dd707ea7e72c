#include "editor/TabbedComponentEx.h"

TabbedComponentEx::TabbedComponentEx()
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop)
{
    setTabBarDepth (tabBarDepth);
    setOutline (0);
}

TabbedComponentEx::~TabbedComponentEx() = default;

void TabbedComponentEx::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void TabbedComponentEx::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void TabbedComponentEx::currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName)
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->currentTabChanged (this, newCurrentTabIndex, newCurrentTabName);
}
