#pragma once

#include "editor/ListenerSet.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    JUCE's tabbed component that tells its listeners when the user turns to
    another page (the editor clears its status bar then), with the tab bar
    depth of the framework's look.
*/
class TabbedComponentEx : public juce::TabbedComponent
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void currentTabChanged (TabbedComponentEx* tabs, int newIndex, const juce::String& newName) = 0;
    };

    static constexpr int tabBarDepth = 23;

    TabbedComponentEx();
    ~TabbedComponentEx() override;

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName) override;
    /** The page frame: rounded, filled with the page colour, outlined. */
    void paint (juce::Graphics& g) override;

private:
    ListenerSet<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TabbedComponentEx)
};
