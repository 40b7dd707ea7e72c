#pragma once

#include <juce_core/juce_core.h>

/** A named run of consecutive slots of the bank. */
struct PresetGroup
{
    juce::String name;
    int count = 0;
};
