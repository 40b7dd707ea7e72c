#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstring>
#include <memory>
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

    /** The text with each processing instruction (the XML declaration
        among them) turned into a space. JUCE's parser skips them like
        white space, but one followed by text inside an element makes it
        loop for ever: it steps back before the instruction to read the
        text, skips the instruction, steps back again. A space is skipped
        wherever an instruction is and cannot join its neighbours into a new
        one. No well-formed document has "<?" anywhere else but in comments
        and CDATA sections, which the product's readers ignore.

        The text must be valid UTF-8: then every byte below 0x80 is a
        character of its own, and the instructions can be found byte by byte. */
    inline juce::String withoutProcessingInstructions (const juce::String& text)
    {
        const char* p = text.toRawUTF8();
        const char* const end = p + text.getNumBytesAsUTF8();

        const auto find = [&end] (const char* from, const char* word)
        {
            return std::search (from, end, word, word + std::strlen (word));
        };

        auto instruction = find (p, "<?");

        if (instruction == end)
            return text;

        juce::MemoryOutputStream out;

        while (instruction != end)
        {
            const auto close = find (instruction + 2, "?>");

            // One never closed makes the parser give up by itself.
            if (close == end)
                break;

            out.write (p, (size_t) (instruction - p));
            out.writeByte (' ');
            p = close + 2;
            instruction = find (p, "<?");
        }

        out.write (p, (size_t) (end - p));
        return out.toUTF8();
    }

    /** True when every name, value and text of the element and its
        children is valid UTF-8. A character reference to a number that is
        no character ("&#x7FFFFFFF;") makes JUCE's parser put bytes into the
        text that no UTF-8 reader takes back, so a name holding one would
        spoil every document it is written into afterwards. */
    inline bool holdsOnlyValidText (const juce::XmlElement& element)
    {
        const auto valid = [] (const juce::String& text)
        {
            return juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) text.getNumBytesAsUTF8());
        };

        if (element.isTextElement())
            return valid (element.getText());

        if (! valid (element.getTagName()))
            return false;

        for (int i = 0; i < element.getNumAttributes(); ++i)
            if (! valid (element.getAttributeName (i)) || ! valid (element.getAttributeValue (i)))
                return false;

        for (auto* child : element.getChildIterator())
            if (! holdsOnlyValidText (*child))
                return false;

        return true;
    }

    /** The document a text holds, or nothing. Text that is not valid UTF-8
        (a multi-byte sequence cut short, say at its very end) is no
        document: JUCE's parser steps over such a sequence's missing bytes
        and reads on past the end of the text.

        The parser is given the text with a space after it: at a hexadecimal
        character reference cut short by the end of the text ("&#x4") it
        steps over the character that ended the digits, which must not be
        the terminating zero. White space after the document changes nothing.

        A document that refers to a character that does not exist is none
        either (see holdsOnlyValidText()). */
    inline std::unique_ptr<juce::XmlElement> parseText (const juce::String& text)
    {
        if (! juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) text.getNumBytesAsUTF8()))
            return nullptr;

        auto document = juce::parseXML (withoutProcessingInstructions (text) + " ");

        if (document != nullptr && ! holdsOnlyValidText (*document))
            return nullptr;

        return document;
    }

    /** The document a file holds, or nothing. Its bytes become text as JUCE
        reads text files: a byte order mark picks UTF-16 or UTF-8, and bytes
        that are no UTF-8 are read as Windows-1252, so the text is always
        valid when it reaches the parser (which, given the raw bytes of a
        file, would read past their end on a cut-short sequence). */
    inline std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file)
    {
        juce::MemoryBlock bytes;

        if (! file.existsAsFile() || ! file.loadFileAsData (bytes))
            return nullptr;

        return parseText (juce::String::createStringFromData (bytes.getData(), (int) bytes.getSize()));
    }
}
