#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The editor's bottom line for short messages.

    Every message has a priority: a new one replaces the shown one only when
    that one's priority is not higher, so a MIDI-learn text stays while
    parameter values go by. A message with a time-out clears itself.
*/
class StatusBar : public juce::Component,
                  private juce::Timer
{
public:
    StatusBar();
    ~StatusBar() override;

    /** Shows text unless it is already shown or a higher-priority message
        stands; timeoutMs 0 keeps it until replaced or cleared. */
    void setMessage (const juce::String& text, int priority, int timeoutMs);
    /** Empty text, priority 0. */
    void clear();

    const juce::String& getText() const noexcept   { return text; }
    int getPriority() const noexcept               { return priority; }
    /** Whether the shown message will clear itself. */
    bool hasTimeout() const                        { return isTimerRunning(); }

    void paint (juce::Graphics& g) override;
    void lookAndFeelChanged() override;

private:
    void timerCallback() override                  { clear(); }

    juce::String text;
    int priority = 0;
    juce::Font font;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBar)
};
