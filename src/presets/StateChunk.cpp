#include "presets/StateChunk.h"

#include "plugin/XmlNames.h"

void StateChunk::pack (const juce::XmlElement& element, juce::MemoryBlock& destination)
{
    const auto text = element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    const auto length = (juce::uint32) text.getNumBytesAsUTF8();

    destination.reset();
    juce::MemoryOutputStream out (destination, false);
    out.writeInt ((int) magic);
    out.writeInt ((int) length);
    out.write (text.toRawUTF8(), length);
    out.writeByte (0);
    out.writeByte (0);
}

std::unique_ptr<juce::XmlElement> StateChunk::unpack (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8 || juce::ByteOrder::littleEndianInt (data) != magic)
        return nullptr;

    const auto length = (int) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (length <= 0)
        return nullptr;

    const auto* text = static_cast<const char*> (data) + 8;
    const auto textBytes = juce::jmin (sizeInBytes - 8, length);

    // Text that is not valid UTF-8 does not parse: JUCE's parser would read
    // past the end of a multi-byte sequence cut short.
    if (! juce::CharPointer_UTF8::isValidString (text, textBytes))
        return nullptr;

    return XmlNames::parseText (juce::String::fromUTF8 (text, textBytes));
}
