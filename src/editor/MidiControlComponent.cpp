#include "editor/MidiControlComponent.h"

#include "midi/MidiControl.h"

MidiControlComponent::MidiControlComponent (MidiControl& control, const juce::String& wildcard,
                                            const juce::String& extension)
    : juce::Component ("MidiControlComponent"), midiControl (control),
      mapFileWildcard (wildcard), mapFileExtension (extension)
{
}

MidiControlComponent::~MidiControlComponent() = default;

void MidiControlComponent::setMapFileType (const juce::String& extension, const juce::String& wildcard)
{
    mapFileExtension = extension;
    mapFileWildcard = wildcard;
}
