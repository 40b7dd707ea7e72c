#pragma once

#include "editor/TabbedComponentEx.h"
#include "editor/WindowComponent.h"

/**
    The settings window: one tabbed component filling the content area, a
    page per concern ("Presets", "Midi Control", "Quality"). The pages are
    the editor's; the window only shows them.
*/
class OptionsWindow : public WindowComponent
{
public:
    static constexpr juce::uint32 pageColour = 0xFFC5C5C5;

    OptionsWindow();
    ~OptionsWindow() override;

    /** Inserts the page at index (-1 appends). A new first page becomes the
        shown one. The page is not owned. */
    void addTab (const juce::String& name, juce::Component* page, int index);

    TabbedComponentEx& getTabs() noexcept       { return tabs; }

    bool dimsBackground() const override        { return true; }
    void resized() override;

private:
    TabbedComponentEx tabs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsWindow)
};
