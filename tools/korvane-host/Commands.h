#pragma once

#include <juce_core/juce_core.h>

// The subcommands of korvane-host. Each takes the words after its name,
// returns the exit status, and throws std::invalid_argument for a usage
// error or std::runtime_error for anything else that goes wrong.
int runInspect (const juce::StringArray& words);
int runRender (const juce::StringArray& words);
int runCompare (const juce::StringArray& words);
int runBench (const juce::StringArray& words);
int runDemo (const juce::StringArray& words);
int runEditor (const juce::StringArray& words);
int runValidate (const juce::StringArray& words);
