// Writes the seed corpora of the fuzz targets: korvane_fuzz_seeds <folder>
// fills <folder>/<target>/ (the repository keeps them in fuzz/corpus/).
//
// The valid seeds are what the product itself writes (its state and program
// chunks, preset, bank, map and settings files), cut down to a few presets so
// that each stays a few kilobytes; the others are small hand-written
// documents with the variations the readers must cope with: older tags,
// other products, letter case, odd values, damaged chunks.

#include "FuzzTargets.h"

#include "midi/MidiControl.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/Korvane.h"
#include "plugin/XmlNames.h"
#include "presets/StateChunk.h"

#include <cstdio>

namespace
{
    juce::File corpusRoot;

    void save (const char* target, const char* name, const void* data, size_t size)
    {
        auto folder = corpusRoot.getChildFile (target);
        folder.createDirectory();
        auto file = folder.getChildFile (name);

        if (! file.replaceWithData (data, size))
            std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
    }

    void saveText (const char* target, const char* name, const juce::String& text)
    {
        save (target, name, text.toRawUTF8(), text.getNumBytesAsUTF8());
    }

    /** A document as the product writes its files: declaration, UTF-8, lines wrapped at 60. */
    juce::String asFile (const juce::XmlElement& element)
    {
        return element.toString (XmlNames::fileFormat());
    }

    juce::String asChunkText (const juce::XmlElement& element)
    {
        return element.toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
    }

    juce::MemoryBlock pack (const juce::String& text, int lengthField)
    {
        juce::MemoryOutputStream out;
        out.writeInt ((int) StateChunk::magic);
        out.writeInt (lengthField);
        out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
        out.writeByte (0);
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    juce::MemoryBlock pack (const juce::String& text)
    {
        return pack (text, (int) text.getNumBytesAsUTF8());
    }

    /** A state document, saved as a state_xml seed and packed as a state_chunk seed. */
    void saveState (const char* name, const juce::String& text)
    {
        saveText ("state_xml", (juce::String (name) + ".xml").toRawUTF8(), text);
        const auto chunk = pack (text);
        save ("state_chunk", (juce::String (name) + ".chunk").toRawUTF8(), chunk.getData(), chunk.getSize());
    }

    void saveProgram (const char* name, const juce::String& text)
    {
        const auto chunk = pack (text);
        save ("program_chunk", name, chunk.getData(), chunk.getSize());
    }

    /** Keeps the first groupsToKeep groups of a bank element, each with at most presetsPerGroup presets. */
    void trimBank (juce::XmlElement& bank, int groupsToKeep, int presetsPerGroup)
    {
        while (bank.getNumChildElements() > groupsToKeep)
            bank.removeChildElement (bank.getChildElement (bank.getNumChildElements() - 1), true);

        for (auto* group : bank.getChildIterator())
            while (group->getNumChildElements() > presetsPerGroup)
                group->removeChildElement (group->getChildElement (group->getNumChildElements() - 1), true);
    }

    juce::XmlElement* presetsBankOf (juce::XmlElement& state)
    {
        if (auto* presets = state.getChildByName ("PresetsState"))
            return presets->getChildByName ("PresetBank");

        return nullptr;
    }

    //==============================================================================
    void writeStateSeeds (Korvane& product)
    {
        // A fresh instance's state, with two factory presets left of the bank.
        {
            auto state = product.createStateXml();
            trimBank (*presetsBankOf (*state), 1, 2);
            saveState ("fresh", asChunkText (*state));

            // The same chunk damaged in the ways a host or a disk might.
            const auto text = asChunkText (*state);
            auto chunk = pack (text);
            auto* bytes = static_cast<char*> (chunk.getData());

            auto badMagic = chunk;
            static_cast<char*> (badMagic.getData())[0] = 'X';
            save ("state_chunk", "bad-magic.chunk", badMagic.getData(), badMagic.getSize());
            save ("state_chunk", "header-only.chunk", bytes, 8);
            save ("state_chunk", "truncated.chunk", bytes, chunk.getSize() / 2);

            const auto beyond = pack (text, (int) text.getNumBytesAsUTF8() + 1000);
            save ("state_chunk", "length-beyond-block.chunk", beyond.getData(), beyond.getSize());
            const auto zero = pack (text, 0);
            save ("state_chunk", "zero-length.chunk", zero.getData(), zero.getSize());
            const auto negative = pack (text, -5);
            save ("state_chunk", "negative-length.chunk", negative.getData(), negative.getSize());

            // What a strict reader refuses: a cut inside a closing tag, a
            // wrong closing tag, nesting beyond its depth, a document type
            // with entities; and a long value it takes.
            const auto closing = text.lastIndexOf ("</");
            saveState ("cut-in-closing-tag", text.substring (0, closing + 2));
            saveState ("mismatched-end-tag", text.replace ("</ParametersState>", "</ParametersStat>"));
            saveState ("deep-nesting", text.replace ("</PluginState>", juce::String::repeatedString ("<a>", 70)
                                                                        + juce::String::repeatedString ("</a>", 70) + "</PluginState>"));
            saveState ("dtd-entities", "<!DOCTYPE PluginState [ <!ENTITY a \"aaaaaaaa\"> <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\"> ]>"
                                       + text.replace ("application=\"Korvane\"", "application=\"Korvane\" note=\"&b;\""));
            saveState ("long-attribute", text.replace ("application=\"Korvane\"",
                                                       "application=\"Korvane\" note=\"" + juce::String::repeatedString ("x", 65536) + "\""));
        }

        // A used instance: other values, a quality, a MIDI map, another
        // current preset and a bank of its own.
        {
            auto& parameters = product.getParameterManager();
            parameters.setNormalisedValue (0, 0.75f);
            parameters.setNormalisedValue (4, 0.125f);
            parameters.setNormalisedValue (19, 0.3f);
            parameters.setNormalisedValue (20, 0.0f);
            parameters.getParameterByName ("Quality")->setValue (HalcyonEffect::qualityValueForLevel (2), true);

            auto& midi = product.getMidiControl();
            midi.assignController (1, parameters.getParameter (0), true);
            midi.assignController (7, parameters.getParameter (19), true);
            midi.assignController (74, parameters.getParameter (4), true);

            product.renamePreset (1, "Crunch & \"Grit\" <2>");
            product.renameGroup (1, juce::CharPointer_UTF8 ("Acid lines \xc3\xa9"));
            product.setCurrentPresetIndex (1, true);

            auto state = product.createStateXml();
            auto* bank = presetsBankOf (*state);
            trimBank (*bank, 2, 2);
            saveState ("used", asChunkText (*state));

            KorvaneFuzz::resetSharedProduct();
        }

        saveState ("older", R"(<KorvanePluginState currentPreset="1"><UniqueData quality="Medium"/>)"
                            R"(<KorvanePresetBank name="Old bank"><KorvanePresetGroup name="Old group">)"
                            R"(<KorvanePreset name="First"><param name="Preamp Gain" value="0.25"/><param name="Tone" value="0.5"/></KorvanePreset>)"
                            R"(<KorvanePreset name="Second"><param name="Preamp Gain" value="0.75"/><param name="High Cut On/Off" value="0"/></KorvanePreset>)"
                            R"(</KorvanePresetGroup></KorvanePresetBank>)"
                            R"(<MidiCCMap application="Korvane"><assign CC="11" param="FX"/></MidiCCMap></KorvanePluginState>)");

        saveState ("other-product", R"(<PluginState application="Vexo"><UniqueData quality="high"/>)"
                                    R"(<ParametersState><param name="Preamp Gain" value="0.9"/></ParametersState>)"
                                    R"(<PresetsState currentPreset="3"/></PluginState>)");

        saveState ("letter-case", R"(<pluginstate APPLICATION="korvane"><uniquedata QUALITY="HIGHEST"/>)"
                                  R"(<parametersstate><PARAM NAME="Tone" VALUE="0.2"/><Param name="tone" value="0.9"/></parametersstate>)"
                                  R"(<presetsstate CURRENTPRESET="2"><presetbank NAME="Lower"><presetgroup>)"
                                  R"(<preset application="KORVANE" NAME="lower" REV="1"><param name="Low Cut" value="0.1"/></preset>)"
                                  R"(</presetgroup></presetbank></presetsstate>)"
                                  R"(<midicontrolmap NAME="KORVANE"><ASSIGN cc="20" PARAM="Low Cut"/></midicontrolmap></pluginstate>)");

        saveState ("odd-values", R"(<PluginState application="Korvane"><UniqueData quality="med"/>)"
                                 R"(<ParametersState><param name="Preamp Gain" value="abc"/><param name="Low Cut" value="-3"/>)"
                                 R"(<param name="High Cut" value="7"/><param name="Tone" value="1e40"/><param name="FX"/>)"
                                 R"(<param name="No Such Parameter" value="0.5"/><param name="Quality" value="1"/>)"
                                 R"(<param name="Current Preset Name" value="Renamed"/></ParametersState>)"
                                 R"(<PresetsState currentPreset="200"/><PresetsState currentPreset="-1"/>)"
                                 R"(<MidiControlMap name="Korvane"><assign CC="300" param="Tone"/><assign CC="5" param="Quality"/></MidiControlMap>)"
                                 R"(<Unknown/></PluginState>)");
    }

    void writeProgramAndPresetSeeds (Korvane& product)
    {
        const auto current = product.createProgramStateXml();
        saveProgram ("fresh.chunk", asChunkText (*current));

        const auto beyond = pack (asChunkText (*current), 100000);
        save ("program_chunk", "length-beyond-block.chunk", beyond.getData(), beyond.getSize());

        const juce::String rev0 = R"(<Preset application="Korvane" name="Before revision 1"><param name="Preamp Gain" value="0.5"/>)"
                                  R"(<param name="High Cut" value="0.2"/></Preset>)";
        const juce::String older = R"(<KorvanePreset name="Older"><param name="Tone" value="0.3"/><param name="Brightness" value="1"/></KorvanePreset>)";
        const juce::String other = R"(<Preset application="Vexo" name="Foreign" rev="1"><param name="Tone" value="0.3"/></Preset>)";
        const juce::String odd = R"(<preset APPLICATION="korvane" rev="0"><PARAM name="Tone" value="2"/><param name="Tone" value="-1"/>)"
                                 R"(<param name="tone" value="0.5"/><param name="Quality" value="1"/><param value="0.5"/>)"
                                 R"(<param name="Bass Gain" value="nan"/><param name="Middle Gain" value="0x10"/><other/></preset>)";
        const juce::String bank = R"(<PresetBank name="Not a preset"><PresetGroup name="g"/></PresetBank>)";

        saveProgram ("rev0-without-high-cut.chunk", rev0);
        saveProgram ("older-tag.chunk", older);
        saveProgram ("other-product.chunk", other);
        saveProgram ("odd-values.chunk", odd);
        saveProgram ("bank-instead.chunk", bank);

        saveText ("preset", "default.kvprs", loadResourceString ("default.kvprs"));
        saveText ("preset", "honky-tonk.kvprs", asFile (*current));
        saveText ("preset", "rev0.kvp", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + rev0 + "\n");
        saveText ("preset", "older-tag.kvp", older);
        saveText ("preset", "other-product.kvprs", other);
        saveText ("preset", "odd-values.kvprs", odd);
        saveText ("preset", "doctype-entities-comments.kvprs",
                  "<?xml version=\"1.0\"?>\n<!DOCTYPE Preset [ <!ELEMENT Preset ANY> ]>\n<!-- saved by hand -->\n"
                  "<Preset application=\"Korvane\" name=\"&amp;&lt;&#x263A;&#65;\" rev=\"1\">\n"
                  "  <!-- tone -->\n  <param name=\"Tone\" value=\"0.125\"/><![CDATA[ ignored ]]>\n</Preset>\n");
        saveText ("preset", "entities-comments-cdata.kvprs",
                  "<?xml version=\"1.0\"?>\n<!-- saved by hand -->\n"
                  "<Preset application=\"Korvane\" name=\"&amp;&lt;&#x263A;&#65;\" rev=\"1\">\n"
                  "  <!-- tone -->\n  <param name=\"Tone\" value=\"0.125\"/><![CDATA[ ignored ]]>\n</Preset>\n");

        // The same preset as a UTF-16 file with its byte order mark.
        {
            const auto text = asFile (*current).replace ("UTF-8", "UTF-16");
            juce::MemoryOutputStream out;
            out.writeByte ((char) 0xff);
            out.writeByte ((char) 0xfe);

            for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
                out.writeShort ((short) *p);

            save ("preset", "utf16.kvprs", out.getData(), out.getDataSize());
        }
    }

    void writeBankSeeds (Korvane& product)
    {
        {
            auto bank = product.createBankXml();
            trimBank (*bank, 3, 2);
            bank->getChildElement (2)->deleteAllChildElements();   // an empty group
            saveText ("bank", "small-bank.kvprsb", asFile (*bank));
        }

        saveText ("bank", "older-tags.kvb",
                  R"(<KorvanePresetBank name="Older"><KorvanePresetGroup name="One">)"
                  R"(<KorvanePreset name="A"><param name="Tone" value="0.1"/></KorvanePreset>)"
                  R"(<Preset application="Korvane" name="B" rev="1"><param name="Tone" value="0.2"/></Preset>)"
                  R"(</KorvanePresetGroup><PresetGroup name="Two"><KorvanePreset/></PresetGroup></KorvanePresetBank>)");

        saveText ("bank", "mixed.kvprsb",
                  R"(<?xml version="1.0" encoding="UTF-8"?><PresetBank><Preset application="Korvane" name="outside a group"/>)"
                  R"(<PresetGroup><Preset application="Korvane"><param name="FX" value="0.5"/></Preset>)"
                  R"(<Preset application="Vexo" name="foreign"/><Comment/></PresetGroup>)"
                  R"(<presetgroup NAME="Named"/><PresetGroup/></PresetBank>)");

        {
            // More presets than slots: the second group keeps what fits, the third stays empty.
            juce::String text = R"(<PresetBank name="Overfull"><PresetGroup name="Full">)";

            for (int i = 0; i < 100; ++i)
                text << "<Preset application=\"Korvane\"/>";

            text << R"(</PresetGroup><PresetGroup name="Cut">)";

            for (int i = 0; i < 30; ++i)
                text << "<Preset application=\"Korvane\" name=\"" << i << "\"/>";

            text << R"(</PresetGroup><PresetGroup name="Empty after"/></PresetBank>)";
            saveText ("bank", "overfull.kvprsb", text);
        }

        saveText ("bank", "deep-nesting.kvprsb",
                  R"(<PresetBank name="Deep"><PresetGroup name="g">)" + juce::String::repeatedString ("<PresetGroup>", 70)
                  + juce::String::repeatedString ("</PresetGroup>", 70) + "</PresetGroup></PresetBank>");
        saveText ("bank", "preset-instead.kvprsb", R"(<Preset application="Korvane" name="not a bank"/>)");
    }

    void writeMidiMapSeeds (Korvane& product)
    {
        auto& midi = product.getMidiControl();
        auto& parameters = product.getParameterManager();
        midi.assignController (1, parameters.getParameter (0), true);
        midi.assignController (7, parameters.getParameter (19), true);
        midi.assignController (74, parameters.getParameter (4), true);
        saveText ("midi_map", "saved.kvccmap", asFile (*midi.createMapXml()));
        KorvaneFuzz::resetSharedProduct();

        saveText ("midi_map", "application-attribute.kvc",
                  R"(<MidiCCMap application="korvane"><assign CC="64" param="High Cut On/Off"/><Assign cc="2" Param="Tone"/></MidiCCMap>)");
        saveText ("midi_map", "other-product.kvccmap",
                  R"(<MidiControlMap name="Vexo" application="Vexo"><assign CC="1" param="Tone"/></MidiControlMap>)");
        saveText ("midi_map", "odd-entries.kvccmap",
                  R"(<MidiControlMap name="Korvane"><assign CC="3" param="Quality"/><assign CC="4" param="No Such"/>)"
                  R"(<assign CC="128" param="Tone"/><assign CC="-1" param="Tone"/><assign CC="12abc" param="Tone"/>)"
                  R"(<assign CC="13" param="Tone"/><assign CC="13" param="FX"/><assign param="Low Cut"/><assign CC="9"/>)"
                  R"(<other CC="8" param="Brightness"/></MidiControlMap>)");
        saveText ("midi_map", "truncated.kvccmap", R"(<MidiControlMap name="Korvane"><assign CC="1" param="Tone"/></)");
        saveText ("midi_map", "no-name.kvccmap", R"(<MidiControlMap><assign CC="1" param="Tone"/></MidiControlMap>)");
    }

    void writeUserSettingsSeeds (Korvane& product)
    {
        // As a fresh instance writes it, with a folder every machine has.
        {
            auto settings = product.createUserSettingsXml();
            settings->getChildByName ("PluginDirectories")->getChildByName ("RecentlyUsed")->setAttribute ("dir", "/tmp");
            saveText ("user_settings", "fresh.ini", asFile (*settings));
        }

        saveText ("user_settings", "user-choices.ini",
                  R"(<?xml version="1.0" encoding="UTF-8"?><UserSettings application="Korvane">)"
                  R"(<PluginDirectories><RecentlyUsed dir="/tmp"/></PluginDirectories>)"
                  R"(<ResourcesSettings><Presets default="userDefinedPresets" file="/nonexistent/bank.kvprsb"/>)"
                  R"(<MidiCCMap default="userDefinedMidiCCMap" file="/nonexistent/map.kvccmap"/></ResourcesSettings>)"
                  R"(<PresetSettings storing="automatic" changing="silent"/><QualitySettings default="highest"/></UserSettings>)");
        saveText ("user_settings", "letter-case.ini",
                  R"(<usersettings APPLICATION="KORVANE"><resourcessettings><PRESETS DEFAULT="ClearPresets"/>)"
                  R"(<midiccmap default="NoMapping"/></resourcessettings><presetsettings STORING="OnDemand" changing="NORMAL"/>)"
                  R"(<qualitysettings default="Medium"/></usersettings>)");
        // Nesting beyond the reader's depth, which once left every new
        // instance unable to start; a document type declaration.
        saveText ("user_settings", "deep-nesting.ini",
                  R"(<UserSettings application="Korvane"><QualitySettings default="high"/>)"
                  + juce::String::repeatedString ("<a>", 70) + juce::String::repeatedString ("</a>", 70) + "</UserSettings>");
        saveText ("user_settings", "dtd.ini",
                  R"(<!DOCTYPE UserSettings [ <!ENTITY q "high"> ]><UserSettings application="Korvane"><QualitySettings default="&q;"/></UserSettings>)");
        saveText ("user_settings", "other-product.ini",
                  R"(<UserSettings application="Vexo"><QualitySettings default="high"/></UserSettings>)");
        saveText ("user_settings", "missing-folder.ini",
                  R"(<UserSettings application="Korvane"><PluginDirectories><RecentlyUsed dir="/nonexistent/folder"/>)"
                  R"(<RecentlyUsed dir="relative/folder"/></PluginDirectories><ResourcesSettings><Presets default="userDefinedPresets"/>)"
                  R"(<Presets default="other"/></ResourcesSettings><PresetSettings storing="sometimes"/></UserSettings>)");
    }

    void writeSkinSeeds()
    {
        saveText ("skin", "skin.xml", loadResourceString ("skin.xml"));

        saveText ("skin", "panels.xml", R"(<PluginEditor background="NoSuchBackground.png">
  <Panel name="Outer"><gfx resource="Background.png" framesNum="1" transparent="no"/><pos left="10" top="5"/>
    <controls ofsX="10" ofsY="5">
      <Knob name="Inner"><links><link as="connectedTo" param="Tone"/></links><pos left="3" top="4"/><size width="40" height="30"/></Knob>
      <NoteDisplay name="Note"/><MusicKeyboard/><PitchBender/><ModWheel/><ParameterModulator/>
      <Panel name="Nested"><gfx transparent="yes"/><size width="50" height="50"/>
        <controls ofsX="-2"><Animation name="Deep"><gfx resource="LeftVUMeterAnimation.png" framesNum="12"/></Animation></controls>
      </Panel>
    </controls>
  </Panel>
  <NoteDisplay name="Ignored at the top"/>
  <NumericDisplay/><PatternNumberDisplay/>
</PluginEditor>
)");

        saveText ("skin", "displays.xml", R"(<PluginEditor>
  <Display name="PresetNameDisplay" caretColour="FFBEF6FF" backgroundColour="FF232224" readonly="no">
    <links><link as="connectedTo" param="Current Preset Name"/></links>
    <gfx resource="Fonts.png" firstASCII=" " fontHeight="9"/><pos left="130" top="28"/><size width="153" height="13"/>
  </Display>
  <DisplayFloat name="Value" caretColour="zz12" backgroundColour="#80FF0000" readonly="yes">
    <size width="60" height="20"/><gfx resource="Fonts.png" firstASCII="A" fontHeight="0"/>
    <links><link as="connectedTo" param="Preamp Gain"/></links>
  </DisplayFloat>
  <Display name="No font"><size width="80" height="12"/><links><link as="other" param="Tone"/></links></Display>
</PluginEditor>
)");

        saveText ("skin", "buttons.xml", R"(<PluginEditor>
  <Button name="Pressed" clickEvent="onPress" autorepeat="yes">
    <actions><action type="onClick" event="Select next preset"/><action type="onClickWithCtrl" event="Paste copied preset"/>
      <action type="onClick" event="No such event"/><action event="About"/></actions>
    <gfx resource="NextPresetButton.png" framesNum="2"/><pos left="335" top="16"/>
  </Button>
  <ToggleButton name="Radio1" style="3D" radioGroupId="4" dragGroup="row"><links><link as="connectedTo" param="High Cut On/Off"/></links>
    <gfx resource="HighCutOnOffButton.png" framesNum="9"/></ToggleButton>
  <ToggleButton name="Radio2" style="2D" radioGroupId="4" dragGroup="row" clickEvent="onpress"><size width="30" height="30"/></ToggleButton>
  <MultiStateButton name="Learn" style="3D" states="5" radioGroupId="2"><actions><action type="onClick" event="Toggle Midi Learn"/></actions>
    <gfx resource="OptionsButton.png"/><links><link as="connectedTo" param="Quality"/></links></MultiStateButton>
  <MultiStateButton name="One state" states="1"><size width="20" height="20"/></MultiStateButton>
  <Rocker name="Rocker" type="horizontal"><actions><action type="onLessClick" event="Select previous preset"/>
    <action type="onMoreClickWithCtrl" event="Store current preset"/></actions><gfx resource="PrevPresetButton.png" framesNum="3"/></Rocker>
  <Switch name="Switch" style="vertical"><gfx resource="ToneKnob.png" framesNum="61"/><links><link as="connectedTo" param="Tone"/></links></Switch>
  <Switch name="Flat" style="HORIZONTAL"><size width="40" height="10"/></Switch>
</PluginEditor>
)");

        saveText ("skin", "fallbacks.xml", R"(<pluginEditor BACKGROUND="Background.png">
  <KNOB NAME="No image"><POS LEFT="5" TOP="6"/><Size Width="40" Height="30"/></KNOB>
  <Knob name="No frames"><gfx resource="FXKnob.png" framesNum="0"/></Knob>
  <Knob name="Negative frames"><gfx resource="FXKnob.png" framesNum="-3"/><pos left="-20" top="-7"/></Knob>
  <Animation name="Not a number"><gfx resource="RightVUMeterAnimation.png" framesNum="twelve"/><size width="x" height="+9"/></Animation>
  <Button name="No file type"><gfx resource="OptionsButton"/></Button>
  text between controls
  <!-- a comment -->
  <Unknown name="skipped"/>
</pluginEditor>
)");

        saveText ("skin", "wrong-root.xml", R"(<Skin><Knob name="A"/></Skin>)");
    }

    void writeParameterSeeds()
    {
        saveText ("parameters", "parameters.xml", loadResourceString ("parameters.xml"));

        saveText ("parameters", "all-kinds.xml", R"(<PluginParameters application="Test">
  <param index="0" name="Gain" type="float" min="-12" max="12" value="3.5" auto="yes"/>
  <param index="1" name="Steps" type="int" min="0" max="3" value="7" auto=" true"/>
  <param index="2" name="Label" type="string" value="hello"/>
  <param index="3" name="Switch" type="bool" value="true" auto="1"/>
  <param index="4" name="Power" type="state" value="on"/>
  <param index="5" name="Mode" type="enum" enum="a;b;c" value="b"/>
  <param index="6" name="Mode by number" type="enum" enum="a;b;c;" value="1"/>
  <param index="7" name="Root" type="note" value="C#4"/>
  <param index="8" name="Bad note" type="note" value="H-9"/>
  <param index="9" name="Upper case type" type="Float"/>
  <PARAM INDEX="10" NAME="Upper case tags"/>
  <param index="4" name="Duplicate index"/>
  <param index="11" name="Gain"/>
  <param name="No index"/>
  <param index="12"/>
  <param index="-1" name="Minus one"/>
  <param index="13" name="Unknown type" type="double"/>
  <param index="14" name="Empty enum" type="enum"/>
  <param index="15" name="Reversed" type="float" min="1" max="0" value="0.5"/>
  <param index="16" name="Wide" type="int" min="-2147483647" max="2147483647" value="0"/>
  <other index="17" name="Not a param"/>
</PluginParameters>
)");

        saveText ("parameters", "wrong-root.xml", R"(<Parameters><param index="0" name="Gain"/></Parameters>)");
    }
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }

    corpusRoot = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    corpusRoot.createDirectory();

    KorvaneFuzz::setUpForFuzzing();
    auto& product = KorvaneFuzz::sharedProduct();

    writeStateSeeds (product);
    writeProgramAndPresetSeeds (product);
    writeBankSeeds (product);
    writeMidiMapSeeds (product);
    writeUserSettingsSeeds (product);
    writeSkinSeeds();
    writeParameterSeeds();

    KorvaneFuzz::releaseSharedInstances();
    std::printf ("seeds written to %s\n", corpusRoot.getFullPathName().toRawUTF8());
    return 0;
}
