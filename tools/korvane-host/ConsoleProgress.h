#pragma once

#include <juce_core/juce_core.h>

/** A progress bar on the terminal's error stream; silent when that stream is
    not a terminal (in scripts and tests) or the job is short. */
class ConsoleProgress
{
public:
    ConsoleProgress (const juce::String& label, bool worthShowing);
    ~ConsoleProgress();

    void update (double fractionDone);

private:
    juce::String label;
    bool enabled;
    int shown = -1;
};
