#include "presets/StateChunk.h"

#include "plugin/XmlNames.h"

#include <cstring>

void StateChunk::pack (const juce::XmlElement& element, juce::MemoryBlock& destination)
{
    juce::XmlElement document (element);
    const auto text = XmlNames::singleLineText (document);
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

    // The text ends at the block's end or at the zero byte that follows it.
    const auto* text = static_cast<const char*> (data) + 8;
    const auto available = (size_t) juce::jmin (sizeInBytes - 8, length);
    const auto* zero = static_cast<const char*> (std::memchr (text, 0, available));
    return XmlReader::parse (text, zero != nullptr ? (size_t) (zero - text) : available);
}
