#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiControl;

/**
    The "Midi Control" page of the options: the controller map, MIDI learn
    and the default map file.
*/
class MidiControlComponent : public juce::Component
{
public:
    MidiControlComponent (MidiControl& midiControl, const juce::String& mapFileWildcard,
                          const juce::String& mapFileExtension);
    ~MidiControlComponent() override;

    /** The pattern and extension the map file choosers use. */
    void setMapFileType (const juce::String& extension, const juce::String& wildcard);
    const juce::String& getMapFileExtension() const noexcept   { return mapFileExtension; }
    const juce::String& getMapFileWildcard() const noexcept    { return mapFileWildcard; }

private:
    MidiControl& midiControl;
    juce::String mapFileWildcard, mapFileExtension;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiControlComponent)
};
