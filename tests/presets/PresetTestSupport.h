#pragma once

#include "plugin/Korvane.h"

#include <memory>

// A started product instance (factory bank loaded, slot 0 applied), and a
// few helpers shared by the preset tests.
inline std::unique_ptr<Korvane> startedKorvane()
{
    auto processor = std::make_unique<Korvane>();
    processor->startUp();
    return processor;
}

inline std::unique_ptr<juce::XmlElement> parsed (const juce::String& text)
{
    return juce::parseXML (text);
}

inline float liveValue (Korvane& processor, int index)
{
    return processor.getParameterManager().getNormalisedValue (index);
}

inline void setLive (Korvane& processor, int index, float value)
{
    processor.getParameterManager().setNormalisedValue (index, value);
}
