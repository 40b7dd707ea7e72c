#include "parameters/NoteParameter.h"

NoteParameter::NoteParameter (int32_t identifierToUse, const juce::String& nameToUse, int32_t initialNote)
    : IntParameter (identifierToUse, nameToUse, 0, 127, initialNote)
{
}

std::unique_ptr<Parameter> NoteParameter::clone() const
{
    auto copy = std::make_unique<NoteParameter> (getIdentifier(), getName(), getIntValue());
    copy->setAutomatable (isAutomatable());
    return copy;
}

juce::String NoteParameter::getText() const
{
    return formatNoteName (getIntValue());
}

void NoteParameter::setText (const juce::String& newText, bool notify)
{
    if (const auto note = parseNoteName (newText))
        setIntValue (*note, notify);
    else
        setNormalisedValue (newText.getFloatValue(), notify);
}

std::optional<int32_t> NoteParameter::parseNoteName (const juce::String& text)
{
    if (text.length() != 3)
        return std::nullopt;

    int32_t semitone = 0;

    switch (text[0])
    {
        case 'C': semitone = 0;  break;
        case 'D': semitone = 2;  break;
        case 'E': semitone = 4;  break;
        case 'F': semitone = 5;  break;
        case 'G': semitone = 7;  break;
        case 'A': semitone = 9;  break;
        case 'B': semitone = 11; break;
        default:  return std::nullopt;
    }

    const auto accidental = text[1];

    if (accidental == '#')
    {
        // There is no black key above E or B: E# and B# are read as E and B.
        if (semitone != 4 && semitone != 11)
            ++semitone;
    }
    else if (accidental != '-')
    {
        return std::nullopt;
    }

    const auto octaveCharacter = text[2];
    int32_t octave = 0;

    if (octaveCharacter >= '0' && octaveCharacter <= '9')
        octave = static_cast<int32_t> (octaveCharacter - '0');
    else if (octaveCharacter == 'X')
        octave = 10;
    else
        return std::nullopt;

    return juce::jmin (semitone + 12 * octave, 127);
}

juce::String NoteParameter::formatNoteName (int32_t noteNumber)
{
    if (! juce::isPositiveAndNotGreaterThan (noteNumber, 127))
        return {};

    static const char* const namesInOctave[] = { "C-", "C#", "D-", "D#", "E-", "F-",
                                                 "F#", "G-", "G#", "A-", "A#", "B-" };
    const auto octave = noteNumber / 12;
    const auto octaveCharacter = octave < 10 ? static_cast<char> ('0' + octave) : 'X';

    return juce::String (namesInOctave[noteNumber % 12]) + juce::String::charToString (octaveCharacter);
}
