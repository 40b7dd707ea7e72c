#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

/*  MIDI events to play into a render, read from a text file with one event a
    line: sample position, status byte, two data bytes, separated by blanks
    (decimal, or hexadecimal with 0x). Blank lines and lines starting with
    '#' are skipped.

        0     0xB0  7  100
        22050 0xC0  3  0
*/
class MidiEventList
{
public:
    struct Event
    {
        juce::int64 position;
        juce::uint8 status, data1, data2;
    };

    /** Throws std::runtime_error naming the line when the text is malformed. */
    static MidiEventList parse (const juce::String& text);
    static MidiEventList load (const juce::File& file);

    void add (Event event);

    /** Puts the events that fall inside [blockStart, blockStart + numSamples)
        into the buffer, at their offsets inside the block. */
    void fillBlock (juce::int64 blockStart, int numSamples, juce::MidiBuffer& buffer) const;

    const std::vector<Event>& getEvents() const noexcept { return events; }

private:
    std::vector<Event> events; // kept sorted by position, stable for equal ones
};
