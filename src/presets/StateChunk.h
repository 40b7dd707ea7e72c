#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/*  How an XML document travels in a host's project: a little-endian block

        0    4  magic 0x21324356 ("VC2!")
        4    4  L, the length of the text that follows (signed)
        8    L  the document as one line of UTF-8 XML, without declaration
        8+L  1  a zero byte
        9+L  1  a spare byte (zero)

    A reader takes nothing from a block of 8 bytes or less, a wrong magic
    number or a length of 0 or less; a length beyond the block reads only the
    bytes that are there.
*/
namespace StateChunk
{
    constexpr juce::uint32 magic = 0x21324356;

    void pack (const juce::XmlElement& element, juce::MemoryBlock& destination);
    std::unique_ptr<juce::XmlElement> unpack (const void* data, int sizeInBytes);
}
