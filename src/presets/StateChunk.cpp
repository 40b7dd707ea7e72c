#include "presets/StateChunk.h"

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
    return juce::parseXML (juce::String::fromUTF8 (text, juce::jmin (sizeInBytes - 8, length)));
}
