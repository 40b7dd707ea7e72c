#include "plugin/EmbeddedResources.h"

#include "BinaryData.h"

std::optional<ResourceKey> ResourceKey::fromFileName (const juce::String& fileName)
{
    const auto dot = fileName.lastIndexOfChar ('.');

    if (dot < 0)
        return std::nullopt;

    return ResourceKey { fileName.substring (dot + 1), fileName.substring (0, dot) };
}

bool ResourceKey::matches (const ResourceKey& other) const
{
    return type.equalsIgnoreCase (other.type) && name.equalsIgnoreCase (other.name);
}

namespace
{
    struct ResourceBytes
    {
        const char* data = nullptr;
        int size = 0;
    };

    std::optional<ResourceBytes> findResource (const juce::String& fileName)
    {
        const auto wanted = ResourceKey::fromFileName (fileName);

        if (! wanted)
            return std::nullopt;

        for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
        {
            const auto key = ResourceKey::fromFileName (BinaryData::originalFilenames[i]);

            if (key && key->matches (*wanted))
            {
                ResourceBytes bytes;
                bytes.data = BinaryData::getNamedResource (BinaryData::namedResourceList[i], bytes.size);

                if (bytes.data != nullptr)
                    return bytes;
            }
        }

        return std::nullopt;
    }
}

std::optional<juce::MemoryBlock> loadResourceData (const juce::String& fileName)
{
    if (const auto bytes = findResource (fileName))
        return juce::MemoryBlock (bytes->data, (size_t) bytes->size);

    return std::nullopt;
}

juce::String loadResourceString (const juce::String& fileName)
{
    if (const auto bytes = findResource (fileName))
        return juce::String::fromUTF8 (bytes->data, bytes->size);

    return {};
}

bool loadResourceImage (const juce::String& fileName, juce::Image& image)
{
    const auto bytes = findResource (fileName);

    if (! bytes)
        return false;

    image = juce::ImageFileFormat::loadFrom (bytes->data, (size_t) bytes->size);
    return true;
}
