#pragma once

#include <juce_core/juce_core.h>

#include <vector>

/** One preset: a name and the normalised values of the leading parameters
    (element i for the parameter with index i). */
struct Preset
{
    Preset (const juce::String& presetName, int numValues, int slotNumber)
        : name (presetName), values ((size_t) juce::jmax (0, numValues), 0.0f), slot (slotNumber) {}

    int getCount() const noexcept { return (int) values.size(); }

    juce::String name;
    std::vector<float> values;
    int slot;   // position given at creation (0 to 127), or -1 for a record outside the bank
};
