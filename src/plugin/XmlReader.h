#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <memory>

/*  The one reader of every XML document that comes from outside: state and
    program chunks, preset, bank and MIDI map files, the settings file, and
    the embedded skin, definitions and factory presets.

    It is strict: expat reads the bytes as UTF-8 XML 1.0 (or UTF-16, which
    announces itself by its byte order mark or first character) and must
    find them well-formed, with exactly one root element, or nothing is
    returned; a declared encoding is not followed. No
    document type declaration is accepted (so no entity is ever declared or
    expanded), and a document beyond the limits below is refused before it
    can cost much time or memory; the product's own documents stay far
    inside them.

    The tree is built from expat's events on a stack of its own, so a deep
    document costs no C stack while it is read; the depth limit bounds what
    the tree's recursive destruction and the readers that walk it use.
    As in JUCE's own parser, a CDATA section is a text of its own and text
    that holds only white space is dropped; comments and processing
    instructions are skipped.
*/
class XmlReader
{
public:
    static constexpr int maxDepth = 64;
    static constexpr std::size_t maxDocumentBytes = (std::size_t) 64 * 1024 * 1024;
    static constexpr std::size_t maxValueBytes = (std::size_t) 1024 * 1024;   // one attribute or one text

    /** The document the bytes hold, or nothing. */
    static std::unique_ptr<juce::XmlElement> parse (const void* data, std::size_t numBytes);
    static std::unique_ptr<juce::XmlElement> parse (const juce::String& text);
    /** A file's bytes as a document (a UTF-8 byte order mark is allowed);
        never more than maxDocumentBytes + 1 bytes are read. */
    static std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file);
};
