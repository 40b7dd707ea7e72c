#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/*  The editor's tooltips, shown on hover whether or not the plug-in's
    window has had the keyboard focus.

    JUCE shows a tip only while its process counts as the foreground one,
    which on Linux means one of its windows has received the focus: an
    editor embedded in a host's window (or on a desktop without a window
    manager) has not until the first click into it, so its tips stayed
    hidden. Tips still wait while a mouse button is held and for controls
    behind a modal window.
*/
class HoverTooltipWindow : public juce::TooltipWindow
{
public:
    using juce::TooltipWindow::TooltipWindow;

    juce::String getTipFor (juce::Component& component) override;
};
