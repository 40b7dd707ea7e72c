#pragma once

#include "plugin/XmlReader.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

/*  Every document of the plug-in matches element and attribute names without
    regard to letter case ("Param", "INDEX"); values are compared exactly.
    Documents are read by XmlReader and written through writeFile() or
    singleLineText(), which keep out every character XML forbids.
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

    /** The document a text holds, or nothing (see XmlReader). */
    inline std::unique_ptr<juce::XmlElement> parseText (const juce::String& text)
    {
        return XmlReader::parse (text);
    }

    /** The document a file holds, or nothing (see XmlReader). */
    inline std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file)
    {
        return XmlReader::parseFile (file);
    }

    /** True for the characters XML 1.0 allows in a document. */
    inline bool isXmlCharacter (juce::juce_wchar c) noexcept
    {
        return c == 0x9 || c == 0xa || c == 0xd
            || (c >= 0x20 && c <= 0xd7ff) || (c >= 0xe000 && c <= 0xfffd) || (c >= 0x10000 && c <= 0x10ffff);
    }

    /** The text with every character XML 1.0 forbids (an unpaired
        surrogate, a control character) replaced by U+FFFD. */
    inline juce::String withXmlCharactersOnly (const juce::String& text)
    {
        bool clean = true;

        for (auto p = text.getCharPointer(); ! p.isEmpty();)
            if (! isXmlCharacter (p.getAndAdvance()))
                clean = false;

        if (clean)
            return text;

        juce::String result;
        result.preallocateBytes (text.getNumBytesAsUTF8() + 8);

        for (auto p = text.getCharPointer(); ! p.isEmpty();)
        {
            const auto c = p.getAndAdvance();
            result += juce::String::charToString (isXmlCharacter (c) ? c : (juce::juce_wchar) 0xfffd);
        }

        return result;
    }

    /** Replaces, in every value and text of the tree, the characters XML 1.0
        forbids, so that every document written reads back with any strict
        reader. The trees the product writes are a few levels deep. */
    inline void replaceForbiddenCharacters (juce::XmlElement& element)
    {
        if (element.isTextElement())
        {
            element.setText (withXmlCharactersOnly (element.getText()));
            return;
        }

        for (int i = 0; i < element.getNumAttributes(); ++i)
        {
            const auto value = element.getAttributeValue (i);
            const auto clean = withXmlCharactersOnly (value);

            if (clean != value)
                element.setAttribute (element.getAttributeName (i), clean);
        }

        for (auto* child : element.getChildIterator())
            replaceForbiddenCharacters (*child);
    }

    /** Writes a document file, UTF-8 with lines wrapped at 60. */
    inline bool writeFile (juce::XmlElement& element, const juce::File& file)
    {
        replaceForbiddenCharacters (element);
        return element.writeTo (file, fileFormat());
    }

    /** A document as one line of text without the XML declaration. */
    inline juce::String singleLineText (juce::XmlElement& element)
    {
        replaceForbiddenCharacters (element);
        return element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    }
}
