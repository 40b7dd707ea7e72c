#pragma once

#include <juce_core/juce_core.h>

/** Texts that describe the product, shown by the About window. */
class SoftwareDesignation
{
public:
    virtual ~SoftwareDesignation() = default;

    virtual juce::String getSoftwareName() const = 0;
    virtual juce::String getSoftwareDescription() const = 0;
    virtual juce::String getSoftwareVersion() const = 0;
    virtual juce::String getSoftwareWebAddress() const = 0;
    virtual juce::String getYearOfFirstRelease() const = 0;
    virtual juce::String getPluginFileLocation() const = 0;
    virtual juce::String getBuildDate() const = 0;
    virtual juce::String getBuildIdentifier() const = 0;
    virtual juce::String getPluginFormat() const = 0;
    virtual juce::String getArchitecture() const = 0;
};
