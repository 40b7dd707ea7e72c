#pragma once

#include "plugin/HalcyonEffect.h"

// A minimal product of the effect family for tests: it answers the
// identity questions with nothing, so a test overrides only what it checks.
class TestProduct : public HalcyonEffect
{
public:
    using HalcyonEffect::HalcyonEffect;

    double getTailLengthSeconds() const override          { return 0.0; }
    juce::String getSoftwareDescription() const override  { return {}; }
    juce::String getSoftwareVersion() const override      { return {}; }
    juce::String getSoftwareWebAddress() const override   { return {}; }
    juce::String getYearOfFirstRelease() const override   { return {}; }
    juce::String getBuildDate() const override            { return {}; }
    juce::String getBuildIdentifier() const override      { return {}; }
};
