#include "plugin/Korvane.h"

Korvane::Korvane()
    : HalcyonOldCompatible (numHostParameters)
{
}

double Korvane::getTailLengthSeconds() const
{
    // The equaliser's and filters' ringing and the oversampler's delay die
    // away well within this; hosts that stop processing in silence must not
    // cut the tube's decay short.
    return 0.1;
}

juce::String Korvane::getSoftwareWebAddress() const
{
    return "https://korvane.codeberg.page";
}

juce::String Korvane::getBuildIdentifier() const
{
    return juce::String (230) + "." + juce::String (1304);
}
