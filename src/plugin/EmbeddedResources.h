#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

/*  The library carries its XML documents and images inside itself. A caller
    names one by a file name; the part after the last "." is the resource type
    and the part before it the resource name, both matched without regard to
    case ("OptionsButton.png" is the PNG named OPTIONSBUTTON). A name without
    a "." finds nothing.
*/

/** Type and name of the resource a file name refers to. */
struct ResourceKey
{
    juce::String type, name;

    /** No key for a file name without a ".". */
    static std::optional<ResourceKey> fromFileName (const juce::String& fileName);
    bool matches (const ResourceKey& other) const;
};

/** The resource's bytes, or nothing. */
std::optional<juce::MemoryBlock> loadResourceData (const juce::String& fileName);

/** The resource as UTF-8 text, or an empty string when there is none. */
juce::String loadResourceString (const juce::String& fileName);

/** Decodes the resource into image. False, leaving image alone, when the
    resource does not exist; true when it exists, with image empty when it
    does not decode. */
bool loadResourceImage (const juce::String& fileName, juce::Image& image);
