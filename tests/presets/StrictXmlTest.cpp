#include <gtest/gtest.h>

#include "PresetTestSupport.h"
#include "TestSettingsFolder.h"
#include "midi/MidiControl.h"
#include "plugin/XmlNames.h"
#include "plugin/XmlReader.h"
#include "presets/StateChunk.h"

// The one reader of outside documents, and the writers that feed it.
namespace
{
    juce::MemoryBlock stateOf (Korvane& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    juce::MemoryBlock chunkOf (const juce::String& text)
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) StateChunk::magic);
        out.writeInt ((int) text.getNumBytesAsUTF8());
        out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
        out.writeByte (0);
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    /** An instance that is not as it started: other values, another
        current preset, a renamed group, a MIDI map. */
    std::unique_ptr<Korvane> usedKorvane()
    {
        auto processor = startedKorvane();
        setLive (*processor, 0, 0.75f);
        setLive (*processor, 4, 0.125f);
        processor->getMidiControl().assignController (7, processor->getParameterManager().getParameter (19), true);
        processor->renameGroup (1, "Renamed");
        processor->setCurrentPresetIndex (3, true);
        return processor;
    }

    std::unique_ptr<juce::XmlElement> parse (const std::string& text)
    {
        return XmlReader::parse (text.data(), text.size());
    }

    std::string nested (int depth)
    {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "<a>";
        for (int i = 0; i < depth; ++i) text += "</a>";
        return text;
    }

    /** The state chunk with a document in place of its text that the
        instance must refuse, leaving everything as it was. */
    void expectRefusedAndUnchanged (Korvane& processor, const juce::MemoryBlock& chunk)
    {
        const auto before = stateOf (processor);
        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
        EXPECT_EQ (stateOf (processor), before);
    }
}

//==============================================================================
TEST (StrictXmlTruncation, EveryCutOfARealStateChunkRestoresNothingOnlyTheWholeRestoresAll)
{
    auto used = usedKorvane();
    const auto chunk = stateOf (*used);
    const auto* bytes = static_cast<const char*> (chunk.getData());
    const int size = (int) chunk.getSize();
    const int textEnd = size - 2;   // the text ends before the two zero bytes

    // Every length the reader could be given: nothing but the whole text is a document.
    for (int length = 9; length <= size; ++length)
    {
        const auto document = StateChunk::unpack (bytes, length);
        ASSERT_EQ (document != nullptr, length >= textEnd) << "length " << length << " of " << size;
    }

    // Through an instance: just before, at and after the "</" of every
    // seventh closing tag and of the last ones (a cut after "</" once
    // restored half a bank), and at a stride in between, nothing of the
    // chunk is taken; the whole chunk gives the used instance's state.
    auto fresh = startedKorvane();
    const auto freshState = stateOf (*fresh);
    const juce::String text (juce::CharPointer_UTF8 (bytes + 8), juce::CharPointer_UTF8 (bytes + textEnd));
    std::vector<int> cuts;

    int closingTags = 0;

    for (int at = text.indexOf ("</"); at >= 0; at = text.indexOf (at + 1, "</"))
        if (closingTags++ % 7 == 0 || at > text.length() - 200)
            cuts.insert (cuts.end(), { 8 + at + 1, 8 + at + 2, 8 + at + 3 });

    for (int length = 9; length < textEnd; length += 997)
        cuts.push_back (length);

    for (const auto length : cuts)
    {
        fresh->setStateInformation (bytes, length);
        ASSERT_EQ (stateOf (*fresh), freshState) << "length " << length;
    }

    fresh->setStateInformation (bytes, size);
    EXPECT_EQ (stateOf (*fresh), chunk);
}

TEST (StrictXmlTruncation, AWrongOrMissingClosingTagIsNoDocument)
{
    auto processor = startedKorvane();
    const auto good = juce::String::fromUTF8 (static_cast<const char*> (stateOf (*processor).getData()) + 8);

    for (const auto& damaged : { good.replace ("</ParametersState>", "</ParametersStat>"),
                                 good.replace ("</PresetBank>", "</presetbank>"),
                                 good.replace ("</PluginState>", ""),
                                 good + "<PluginState/>" })
    {
        auto used = usedKorvane();
        expectRefusedAndUnchanged (*used, chunkOf (damaged));
    }

    EXPECT_EQ (parse ("<a><b></a></b>"), nullptr);
    EXPECT_EQ (parse ("<a/><b/>"), nullptr);
    EXPECT_EQ (parse ("text"), nullptr);
    EXPECT_NE (parse ("<a><b/></a>"), nullptr);
}

//==============================================================================
TEST (StrictXmlLimits, DepthSizeAndValueLengthAreBounded)
{
    EXPECT_NE (parse (nested (XmlReader::maxDepth)), nullptr);
    EXPECT_EQ (parse (nested (XmlReader::maxDepth + 1)), nullptr);

    // The deep chunk that overflowed the old reader's stack, and one too
    // large to read at all: refused, the instance unchanged.
    auto processor = usedKorvane();
    expectRefusedAndUnchanged (*processor, chunkOf ("<PluginState application=\"Korvane\">" + juce::String (nested (50000)) + "</PluginState>"));

    {
        // 100 MB: a state element followed by white space.
        auto huge = chunkOf ("<PluginState application=\"Korvane\"/>" + juce::String::repeatedString (" ", 100 << 20));
        expectRefusedAndUnchanged (*processor, huge);
    }

    // One value of exactly 1 MB is read; a byte more, or 4 MB, is not.
    const std::string megabyte (XmlReader::maxValueBytes, 'v');
    EXPECT_NE (parse ("<a v=\"" + megabyte + "\"/>"), nullptr);
    EXPECT_EQ (parse ("<a v=\"" + megabyte + "v\"/>"), nullptr);
    EXPECT_EQ (parse ("<a>" + megabyte + "v</a>"), nullptr);
    expectRefusedAndUnchanged (*processor, chunkOf ("<PluginState application=\"Korvane\" note=\"" + juce::String::repeatedString ("x", 4 << 20) + "\"/>"));

    // An element of many attributes, which JUCE's tree would add one by one.
    std::string many = "<a";
    for (int i = 0; i < 300; ++i)
        many += " n" + std::to_string (i) + "=\"\"";
    EXPECT_EQ (parse (many + "/>"), nullptr);
}

TEST (StrictXmlLimits, AnEndlessStartUpBankIsReadNoFurtherThanTheLimit)
{
    // /dev/zero reports no size and never ends.
    TestSettingsFolder settings;
    settings.write ("<UserSettings application=\"Korvane\"><ResourcesSettings>"
                    "<Presets default=\"userDefinedPresets\" file=\"/dev/zero\"/></ResourcesSettings></UserSettings>");

    auto processor = startedKorvane();
    EXPECT_EQ (processor->getBank().getBankName(), "Korvane default bank");
    EXPECT_EQ (processor->getBank().getName (0), "Honky Tonk");
}

TEST (StrictXmlLimits, ADeepSettingsFileNoLongerKeepsThePluginFromStarting)
{
    TestSettingsFolder settings;
    settings.write ("<UserSettings application=\"Korvane\"><QualitySettings default=\"high\"/>" + juce::String (nested (50000)) + "</UserSettings>");

    auto processor = startedKorvane();
    EXPECT_EQ (processor->getQualityLevel(), 0);   // the defaults: nothing of the file was taken
    EXPECT_EQ (processor->getBank().getBankName(), "Korvane default bank");
}

//==============================================================================
TEST (StrictXmlStrictness, NoDocumentTypeAndNoEntityExpansion)
{
    EXPECT_EQ (parse ("<!DOCTYPE a><a/>"), nullptr);
    EXPECT_EQ (parse ("<!DOCTYPE a [ <!ENTITY e \"x\"> ]><a v=\"&e;\"/>"), nullptr);
    EXPECT_EQ (parse ("<!DOCTYPE a SYSTEM \"file:///etc/passwd\"><a>&x;</a>"), nullptr);

    // Ten levels of ten references each: a billion "ha"s if expanded.
    std::string laughs = "<!DOCTYPE a [ <!ENTITY l0 \"ha\">";

    for (int level = 1; level < 10; ++level)
    {
        laughs += " <!ENTITY l" + std::to_string (level) + " \"";
        for (int k = 0; k < 10; ++k)
            laughs += "&l" + std::to_string (level - 1) + ";";
        laughs += "\">";
    }

    EXPECT_EQ (parse (laughs + " ]><a>&l9;</a>"), nullptr);

    // An undeclared entity is an error; the five predefined ones and
    // character references to characters are text.
    EXPECT_EQ (parse ("<a>&nbsp;</a>"), nullptr);
    const auto a = parse ("<a v=\"&amp;&lt;&gt;&quot;&apos;&#x263A;&#65;\"/>");
    ASSERT_NE (a, nullptr);
    EXPECT_EQ (a->getStringAttribute ("v"), juce::String (juce::CharPointer_UTF8 ("&<>\"'\xe2\x98\xba" "A")));
}

TEST (StrictXmlStrictness, InvalidUtf8AtEveryPositionIsRefused)
{
    const std::string document = "<Preset application=\"Korvane\" name=\"Tone\"><param name=\"Tone\" value=\"0.5\"/></Preset>";
    ASSERT_NE (parse (document), nullptr);

    for (size_t at = 0; at <= document.size(); ++at)
        for (const char* bad : { "\xff", "\xc3", "\xe2\x98", "\xc0\xaf", "\xed\xa0\x80" })
        {
            auto damaged = document;
            damaged.insert (at, bad);
            ASSERT_EQ (parse (damaged), nullptr) << "at " << at;
        }

    // Characters XML forbids, also as references; a byte order mark is fine.
    EXPECT_EQ (parse ("<a v=\"&#xD800;\"/>"), nullptr);
    EXPECT_EQ (parse ("<a v=\"&#x7FFFFFFF;\"/>"), nullptr);
    EXPECT_EQ (parse ("<a v=\"&#1;\"/>"), nullptr);
    EXPECT_EQ (parse (std::string ("<a v=\"\x01\"/>")), nullptr);
    EXPECT_NE (parse ("\xef\xbb\xbf<a/>"), nullptr);

    // A UTF-16 file (as some editors save one) announces itself with its
    // byte order mark or its first character, as XML provides.
    EXPECT_NE (parse (std::string ("\xff\xfe<\0a\0/\0>\0", 10)), nullptr);
    EXPECT_EQ (parse (std::string ("\xff\xfe<\0a\0/\0", 8)), nullptr);
}

TEST (StrictXmlStrictness, TheTreeIsWhatJucesReaderMadeOfTheSameDocument)
{
    const std::string text = "<?xml version=\"1.0\"?>\n<!-- c --><Root A=\"1\" b=\"two\">\n  <Child x=\"y\">text &amp; more</Child>\n"
                             "  <?pi ignored?><Empty/>\n  <![CDATA[ raw <text> ]]>\n</Root>\n";
    const auto ours = parse (text);
    const auto juces = juce::parseXML (juce::String (text));
    ASSERT_NE (ours, nullptr);
    ASSERT_NE (juces, nullptr);
    EXPECT_TRUE (ours->isEquivalentTo (juces.get(), false)) << ours->toString() << "\n" << juces->toString();
    EXPECT_EQ (ours->getNumChildElements(), 3);   // Child, Empty and the CDATA text
}

//==============================================================================
TEST (StrictXmlWriting, ForbiddenCharactersBecomeReplacementCharactersAndStrictReadersAgree)
{
    auto processor = startedKorvane();
    const auto surrogate = juce::String ("Lead ") + juce::String::charToString ((juce::juce_wchar) 0xd800)
                         + juce::String::charToString ((juce::juce_wchar) 0x1) + " Tone";
    processor->renamePreset (0, surrogate);

    juce::TemporaryFile bank (".kvprsb");
    processor->saveBankFile (bank.getFile());

    const auto expected = juce::String ("Lead ") + juce::String::charToString ((juce::juce_wchar) 0xfffd)
                        + juce::String::charToString ((juce::juce_wchar) 0xfffd) + " Tone";

    // Read back by the plug-in itself...
    auto other = startedKorvane();
    other->loadBankFile (bank.getFile());
    EXPECT_EQ (other->getBank().getName (0), expected);

    // ... and by a strict reader of another make.
    juce::ChildProcess xmllint;
    ASSERT_TRUE (xmllint.start (juce::StringArray { "xmllint", "--noout", bank.getFile().getFullPathName() }, juce::ChildProcess::wantStdErr | juce::ChildProcess::wantStdOut));
    const auto messages = xmllint.readAllProcessOutput();
    EXPECT_EQ (xmllint.getExitCode(), 0u) << messages;

    // The project chunk keeps out the same characters.
    const auto chunk = stateOf (*processor);
    EXPECT_NE (StateChunk::unpack (chunk.getData(), (int) chunk.getSize()), nullptr);
    const auto chunkText = juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8);
    EXPECT_TRUE (chunkText.contains ("Lead &#65533;&#65533; Tone"));   // JUCE writes non-ASCII as references
    EXPECT_FALSE (chunkText.contains ("&#55296;"));
    EXPECT_FALSE (chunkText.contains ("&#1;"));
}
