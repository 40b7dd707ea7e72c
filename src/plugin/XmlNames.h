#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/*  Every document of the plug-in matches element and attribute names without
    regard to letter case ("Param", "INDEX"); values are compared exactly.
*/
namespace XmlNames
{
    inline bool hasTag (const juce::XmlElement& element, const char* tagName)
    {
        return element.getTagName().equalsIgnoreCase (tagName);
    }

    inline std::optional<juce::String> findAttribute (const juce::XmlElement& element, const char* attributeName)
    {
        for (int i = 0; i < element.getNumAttributes(); ++i)
            if (element.getAttributeName (i).equalsIgnoreCase (attributeName))
                return element.getAttributeValue (i);

        return std::nullopt;
    }

    /** How every document file is written: UTF-8, lines wrapped at 60. */
    inline juce::XmlElement::TextFormat fileFormat()
    {
        juce::XmlElement::TextFormat format;
        format.customEncoding = "UTF-8";
        format.lineWrapLength = 60;
        return format;
    }

    inline juce::String attributeText (const juce::XmlElement& element, const char* attributeName,
                                       const juce::String& whenAbsent = {})
    {
        return findAttribute (element, attributeName).value_or (whenAbsent);
    }
}
