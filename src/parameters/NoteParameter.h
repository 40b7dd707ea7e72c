#pragma once

#include "parameters/IntParameter.h"

#include <optional>

/** A MIDI note number, 0 … 127, whose text is a note name such as "C-5" or "D#5". */
class NoteParameter : public IntParameter
{
public:
    NoteParameter (int32_t identifier, const juce::String& name, int32_t initialNote);

    std::unique_ptr<Parameter> clone() const override;

    /** The note name of the value. */
    juce::String getText() const override;

    /** A note name selects its note; other text is read as a number and taken as a normalised value. */
    void setText (const juce::String& newText, bool notify) override;

    /** Reads a three-character note name: a capital letter C D E F G A B, "-" (natural)
        or "#" (sharp; E# and B# stay E and B), and an octave "0" … "9" or "X" for 10.
        The note is semitone + 12 × octave limited to 0 … 127; any other shape gives nothing. */
    static std::optional<int32_t> parseNoteName (const juce::String& text);

    /** The name of a note number; empty outside 0 … 127. 60 is "C-5", 63 "D#5", 127 "G-X". */
    static juce::String formatNoteName (int32_t noteNumber);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NoteParameter)
};
