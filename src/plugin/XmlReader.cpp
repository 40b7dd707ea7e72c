#include "plugin/XmlReader.h"

#include <expat.h>

#include <cstring>

#include <string>
#include <vector>

namespace
{
    // JUCE adds an attribute after comparing it with every one before it: a
    // bound keeps an element's cost small (the product's have seven at most).
    constexpr int maxAttributes = 256;

    /** Follows expat's events: in the checking pass it only holds the
        document to the limits, in the building pass it also builds the
        element tree. JUCE appends a child by walking to the end of the
        list, so children wait in a vector of their open parent and are
        prepended in reverse when it closes. */
    class TreeBuilder
    {
    public:
        TreeBuilder (XML_Parser p, bool buildTree) : parser (p), building (buildTree) {}

        ~TreeBuilder()
        {
            // A document refused half way: what was built goes.
            for (auto& node : open)
            {
                for (auto* child : node.children)
                    delete child;

                delete node.element;
            }
        }

        std::unique_ptr<juce::XmlElement> takeRoot() { return std::move (root); }
        bool hasFailed() const noexcept { return failed; }

        static void XMLCALL startElement (void* user, const XML_Char* name, const XML_Char** attributes)
        {
            static_cast<TreeBuilder*> (user)->start (name, attributes);
        }

        static void XMLCALL endElement (void* user, const XML_Char*)
        {
            static_cast<TreeBuilder*> (user)->end();
        }

        static void XMLCALL characters (void* user, const XML_Char* text, int length)
        {
            static_cast<TreeBuilder*> (user)->addText (text, length);
        }

        /** A CDATA section is a text of its own, as in JUCE's reader. */
        static void XMLCALL cdataEdge (void* user)
        {
            static_cast<TreeBuilder*> (user)->flushText();
        }

        static void XMLCALL refuseDocumentType (void* user, const XML_Char*, const XML_Char*, const XML_Char*, int)
        {
            static_cast<TreeBuilder*> (user)->fail();
        }

    private:
        struct OpenElement
        {
            juce::XmlElement* element;
            std::vector<juce::XmlElement*> children;
        };

        void fail()
        {
            failed = true;
            XML_StopParser (parser, XML_FALSE);
        }

        void start (const XML_Char* name, const XML_Char** attributes)
        {
            if (failed)
                return;

            if (depth >= XmlReader::maxDepth)
                return fail();

            flushText();
            ++depth;

            for (int i = 0; attributes[i] != nullptr; i += 2)
                if (i / 2 >= maxAttributes || std::strlen (attributes[i + 1]) > XmlReader::maxValueBytes)
                    return fail();

            if (! building)
                return;

            auto element = std::make_unique<juce::XmlElement> (juce::String::fromUTF8 (name));

            for (int i = 0; attributes[i] != nullptr; i += 2)
                element->setAttribute (juce::String::fromUTF8 (attributes[i]), juce::String::fromUTF8 (attributes[i + 1]));

            open.push_back ({ element.release(), {} });
        }

        void end()
        {
            if (failed)
                return;

            flushText();
            --depth;

            if (! building)
                return;

            auto node = std::move (open.back());
            open.pop_back();

            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                node.element->prependChildElement (*child);

            if (open.empty())
                root.reset (node.element);
            else
                open.back().children.push_back (node.element);
        }

        void addText (const XML_Char* text, int length)
        {
            if (failed || depth == 0)
                return;

            textBytes += (size_t) length;

            if (textBytes > XmlReader::maxValueBytes)
                return fail();

            if (building)
                pendingText.append (text, (size_t) length);
        }

        void flushText()
        {
            textBytes = 0;

            if (failed || pendingText.empty())
                return;

            const auto text = juce::String::fromUTF8 (pendingText.data(), (int) pendingText.size());
            pendingText.clear();

            if (text.containsNonWhitespaceChars())
                open.back().children.push_back (juce::XmlElement::createTextElement (text));
        }

        XML_Parser parser;
        const bool building;
        int depth = 0;
        std::size_t textBytes = 0;
        std::unique_ptr<juce::XmlElement> root;
        std::vector<OpenElement> open;
        std::string pendingText;
        bool failed = false;
    };

    struct ParserDeleter
    {
        void operator() (XML_ParserStruct* p) const noexcept { XML_ParserFree (p); }
    };

    /** One pass of expat over the bytes; true when the document is whole and within the limits. */
    bool runPass (const void* data, std::size_t numBytes, bool buildTree, std::unique_ptr<juce::XmlElement>& result)
    {
        // UTF-8 whatever the declaration says (UTF-16 is still recognised
        // by its first bytes).
        std::unique_ptr<XML_ParserStruct, ParserDeleter> parser (XML_ParserCreate ("UTF-8"));

        if (parser == nullptr)
            return false;

        TreeBuilder events (parser.get(), buildTree);
        XML_SetUserData (parser.get(), &events);
        XML_SetElementHandler (parser.get(), &TreeBuilder::startElement, &TreeBuilder::endElement);
        XML_SetCharacterDataHandler (parser.get(), &TreeBuilder::characters);
        XML_SetCdataSectionHandler (parser.get(), &TreeBuilder::cdataEdge, &TreeBuilder::cdataEdge);
        XML_SetStartDoctypeDeclHandler (parser.get(), &TreeBuilder::refuseDocumentType);
        XML_SetParamEntityParsing (parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

        const auto status = XML_Parse (parser.get(), static_cast<const char*> (data), (int) numBytes, XML_TRUE);

        if (status != XML_STATUS_OK || events.hasFailed())
            return false;

        result = events.takeRoot();
        return true;
    }
}

std::unique_ptr<juce::XmlElement> XmlReader::parse (const void* data, std::size_t numBytes)
{
    if (data == nullptr || numBytes == 0 || numBytes > maxDocumentBytes)
        return nullptr;

    // Damaged and hostile documents are refused by expat alone, at its own
    // speed; only a document that passed is built into a tree.
    std::unique_ptr<juce::XmlElement> root;

    if (! runPass (data, numBytes, false, root) || ! runPass (data, numBytes, true, root))
        return nullptr;

    return root;
}

std::unique_ptr<juce::XmlElement> XmlReader::parse (const juce::String& text)
{
    return parse (text.toRawUTF8(), text.getNumBytesAsUTF8());
}

std::unique_ptr<juce::XmlElement> XmlReader::parseFile (const juce::File& file)
{
    if (! file.existsAsFile() || file.getSize() > (juce::int64) maxDocumentBytes)
        return nullptr;

    // Read at most one byte more than a document may have: a device or a
    // file that grows (/dev/zero named as a bank) reports no size.
    juce::FileInputStream in (file);

    if (! in.openedOk())
        return nullptr;

    juce::MemoryBlock bytes;
    const auto read = in.readIntoMemoryBlock (bytes, (ssize_t) maxDocumentBytes + 1);

    if (read > maxDocumentBytes)
        return nullptr;

    return parse (bytes.getData(), bytes.getSize());
}
