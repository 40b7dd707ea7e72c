#include "MidiEventList.h"

#include <algorithm>
#include <stdexcept>

namespace
{
    bool readNumber (const juce::String& token, juce::int64& result)
    {
        const auto hex = token.startsWithIgnoreCase ("0x");
        const auto digits = hex ? token.substring (2) : token;

        if (digits.isEmpty() || ! digits.containsOnly (hex ? "0123456789abcdefABCDEF" : "0123456789"))
            return false;

        result = hex ? digits.getHexValue64() : digits.getLargeIntValue();
        return true;
    }
}

MidiEventList MidiEventList::parse (const juce::String& text)
{
    MidiEventList list;
    const auto lines = juce::StringArray::fromLines (text);

    for (int i = 0; i < lines.size(); ++i)
    {
        const auto line = lines[i].trim();

        if (line.isEmpty() || line.startsWithChar ('#'))
            continue;

        auto tokens = juce::StringArray::fromTokens (line, " \t,", {});
        tokens.removeEmptyStrings();
        juce::int64 values[4] {};

        const auto valid = tokens.size() == 4
                        && readNumber (tokens[0], values[0])
                        && readNumber (tokens[1], values[1]) && values[1] >= 0x80 && values[1] <= 0xff
                        && readNumber (tokens[2], values[2]) && values[2] <= 0x7f
                        && readNumber (tokens[3], values[3]) && values[3] <= 0x7f;

        if (! valid)
            throw std::runtime_error (("MIDI event line " + juce::String (i + 1)
                                       + " is not 'position status data1 data2': " + line).toStdString());

        list.add ({ values[0], (juce::uint8) values[1], (juce::uint8) values[2], (juce::uint8) values[3] });
    }

    return list;
}

MidiEventList MidiEventList::load (const juce::File& file)
{
    if (! file.existsAsFile())
        throw std::runtime_error (("no such MIDI event file: " + file.getFullPathName()).toStdString());

    return parse (file.loadFileAsString());
}

void MidiEventList::add (Event event)
{
    const auto after = std::upper_bound (events.begin(), events.end(), event,
                                         [] (const Event& a, const Event& b) { return a.position < b.position; });
    events.insert (after, event);
}

void MidiEventList::fillBlock (juce::int64 blockStart, int numSamples, juce::MidiBuffer& buffer) const
{
    const auto first = std::lower_bound (events.begin(), events.end(), blockStart,
                                         [] (const Event& e, juce::int64 position) { return e.position < position; });

    for (auto e = first; e != events.end() && e->position < blockStart + numSamples; ++e)
    {
        const juce::uint8 bytes[] = { e->status, e->data1, e->data2 };
        const auto length = juce::MidiMessage::getMessageLengthFromFirstByte (e->status);
        buffer.addEvent (bytes, juce::jlimit (1, 3, length), (int) (e->position - blockStart));
    }
}
