#include "parameters/BoolParameter.h"
#include "parameters/EnumParameter.h"
#include "parameters/FloatParameter.h"
#include "parameters/IntParameter.h"
#include "parameters/NoteParameter.h"
#include "parameters/ParameterManager.h"
#include "parameters/StringParameter.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    std::unique_ptr<juce::XmlElement> parse (const char* text)
    {
        auto root = juce::parseXML (juce::String (text));
        EXPECT_NE (root, nullptr);
        return root;
    }

    const char* const definitions = R"(<?xml version="1.0"?>
<PluginParameters application="Test">
  <!-- comments may appear anywhere -->
  <param index="0" name="Gain" type="float" min="-12" max="12" value="3" auto="1"/>
  <param index="1" name="Skipped Float" type="Float"/>
  <PARAM INDEX="2" Name="Plain"/>
  <param index="3" name="Steps" type="int" value="7" min="0" max="3" auto=" yes"/>
  <param index="4" name="Tone" value="0.25" auto="T"/>
  <param index="4" name="Second Four" auto="1"/>
  <param index="5" name="Tone" auto="1"/>
  <param index="6" name="Mode B" type="enum" enum="a;b;c" value="b"/>
  <param index="7" name="Mode Number" type="enum" enum="a;b;c" value="1"/>
  <param index="8" name="State On" type="state" value="on" auto="false"/>
  <param index="9" name="State Number" type="state" value="1.0"/>
  <param index="10" name="Flag" type="bool" value="yes"/>
  <param index="11" name="Title" type="string" value=" Clean  "/>
  <param index="12" name="Key" type="note" value="D#4"/>
  <param index="13" name="Bad Key" type="note" value="0.5"/>
  <param name="No Index"/>
  <param index="14"/>
  <param index="15" name=""/>
  <param index="16" name="Unknown" type="double"/>
  <param index="-1" name="Minus One"/>
  <other index="17" name="Not A Param"/>
  <param index="18" name="Text Range" min="low" max="5" value="9"/>
</PluginParameters>)";

    struct CountingListener : Parameter::Listener
    {
        void parameterChanged (Parameter* p) override { changed.push_back (p->getIdentifier()); }
        std::vector<int32_t> changed;
    };

    /** Reports its own destruction, to follow what the manager deletes. */
    struct TracedParameter : FloatParameter
    {
        TracedParameter (int32_t id, const juce::String& parameterName, bool& destroyedFlag)
            : FloatParameter (id, parameterName, 0.0f, 1.0f, 0.0f), destroyed (destroyedFlag) {}
        ~TracedParameter() override { destroyed = true; }
        bool& destroyed;
    };
}

TEST (ParameterManager, LoadFromXmlCreatesKindsAndSkipsBadEntries)
{
    ParameterManager manager;
    manager.loadFromXml (*parse (definitions));

    std::vector<int32_t> identifiers;
    for (int i = 0; i < manager.getNumParameters(); ++i)
        identifiers.push_back (manager.getParameterAt (i)->getIdentifier());

    EXPECT_EQ (identifiers, (std::vector<int32_t> { 0, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 18 }))
        << "document order; misspelt type, duplicates, missing index or name, unknown type and other tags skipped";

    auto* gain = dynamic_cast<FloatParameter*> (manager.getParameter (0));
    ASSERT_NE (gain, nullptr);
    EXPECT_FLOAT_EQ (gain->getMinimum(), -12.0f);
    EXPECT_FLOAT_EQ (gain->getValue(), 3.0f);
    EXPECT_TRUE (gain->isAutomatable());

    auto* plain = dynamic_cast<FloatParameter*> (manager.getParameterByName ("Plain"));
    ASSERT_NE (plain, nullptr) << "tag and attribute names ignore letter case; no type means float";
    EXPECT_FLOAT_EQ (plain->getMinimum(), 0.0f);
    EXPECT_FLOAT_EQ (plain->getMaximum(), 1.0f);
    EXPECT_FLOAT_EQ (plain->getValue(), 0.0f);
    EXPECT_FALSE (plain->isAutomatable());

    auto* steps = dynamic_cast<IntParameter*> (manager.getParameter (3));
    ASSERT_NE (steps, nullptr);
    EXPECT_EQ (steps->getIntValue(), 3) << "7 limited to 0 … 3";
    EXPECT_TRUE (steps->isAutomatable()) << "leading blanks before the flag character";

    EXPECT_EQ (manager.getName (4), "Tone") << "the first of two index 4 entries wins";
    EXPECT_FLOAT_EQ (manager.getValue (4), 0.25f) << "the first of two entries named Tone wins";
    EXPECT_EQ (manager.getParameterByName ("Second Four"), nullptr);
    EXPECT_EQ (manager.getParameter (5), nullptr);

    ASSERT_NE (dynamic_cast<EnumParameter*> (manager.getParameter (6)), nullptr);
    EXPECT_EQ (manager.getParameter (6)->getIntValue(), 1);
    EXPECT_EQ (manager.getParameter (7)->getIntValue(), 2) << "a number is read as a normalised value";

    auto* stateOn = dynamic_cast<BoolParameter*> (manager.getParameter (8));
    ASSERT_NE (stateOn, nullptr);
    EXPECT_TRUE (stateOn->getBoolValue());
    EXPECT_EQ (stateOn->getText(), "on");
    EXPECT_FALSE (stateOn->isAutomatable());
    stateOn->setBoolValue (false, false);
    EXPECT_EQ (stateOn->getText(), "off");
    EXPECT_TRUE (manager.getParameter (9)->getBoolValue());
    EXPECT_EQ (manager.getText (10), "true") << "\"bool\" writes true/false";

    ASSERT_NE (dynamic_cast<StringParameter*> (manager.getParameter (11)), nullptr);
    EXPECT_EQ (manager.getText (11), " Clean  ") << "string values are kept unchanged";

    ASSERT_NE (dynamic_cast<NoteParameter*> (manager.getParameter (12)), nullptr);
    EXPECT_EQ (manager.getParameter (12)->getIntValue(), 51);
    EXPECT_EQ (manager.getParameter (13)->getIntValue(), 0) << "not a note name gives 0, not a normalised value";

    auto* textRange = dynamic_cast<FloatParameter*> (manager.getParameter (18));
    ASSERT_NE (textRange, nullptr);
    EXPECT_FLOAT_EQ (textRange->getMinimum(), 0.0f) << "a range bound that is not a number reads as 0";
    EXPECT_FLOAT_EQ (textRange->getValue(), 5.0f);
}

TEST (ParameterManager, LoadingReplacesTheSet)
{
    ParameterManager manager;
    manager.loadFromXml (*parse (definitions));
    ASSERT_GT (manager.getNumParameters(), 0);

    manager.loadFromXml (*parse (R"(<pluginparameters><param index="40" name="Only"/></pluginparameters>)"));
    EXPECT_EQ (manager.getNumParameters(), 1) << "the root tag ignores letter case; loading clears first";
    EXPECT_EQ (manager.getParameterByName ("Gain"), nullptr);

    manager.loadFromXml (*parse (R"(<Parameters><param index="0" name="Gain"/></Parameters>)"));
    EXPECT_EQ (manager.getNumParameters(), 0) << "another root tag gives no parameters";

    manager.loadFromXml (*parse (R"(<PluginParameters><param index="1" name="Kept"/></PluginParameters>)"));
    manager.loadFromResource ("no-such-resource.xml");
    EXPECT_NE (manager.getParameterByName ("Kept"), nullptr) << "a missing resource leaves the set as it was";
}

TEST (ParameterManager, AddParameterOwnershipAndLookups)
{
    ParameterManager manager;
    bool firstDestroyed = false, duplicateIdDestroyed = false, duplicateNameDestroyed = false;
    auto* first = new TracedParameter (5, "Five", firstDestroyed);

    EXPECT_TRUE (manager.addParameter (first));
    EXPECT_FALSE (manager.addParameter (first)) << "an object already held is refused";
    EXPECT_FALSE (firstDestroyed) << "and stays alive";
    EXPECT_EQ (manager.getNumParameters(), 1);

    EXPECT_FALSE (manager.addParameter (new TracedParameter (5, "Other", duplicateIdDestroyed)));
    EXPECT_TRUE (duplicateIdDestroyed) << "a refused parameter is deleted";
    EXPECT_FALSE (manager.addParameter (new TracedParameter (6, "Five", duplicateNameDestroyed)));
    EXPECT_TRUE (duplicateNameDestroyed);
    EXPECT_FALSE (manager.addParameter (nullptr));
    EXPECT_EQ (manager.getParameter (5), first);
    EXPECT_EQ (manager.getParameterByName ("five"), nullptr) << "names are matched exactly";

    EXPECT_EQ (manager.getParameter (99), nullptr);
    EXPECT_EQ (manager.getParameterByName ("Ninety-nine"), nullptr);
    EXPECT_EQ (manager.getName (99), "");
    EXPECT_EQ (manager.getText (99), "");
    EXPECT_FLOAT_EQ (manager.getValue (99), 0.0f);
    EXPECT_FLOAT_EQ (manager.getNormalisedValue (99), 0.0f);
    EXPECT_EQ (manager.getParameterAt (1), nullptr);
    manager.setNormalisedValue (99, 1.0f);
    manager.setCurrentPresetNumber (3);     // no preset parameters yet: nothing happens
    manager.setCurrentPresetName ("Lead");

    auto* number = new IntParameter (ParameterManager::currentPresetNumberIdentifier, "Current Preset Number", 0, 127, 0);
    auto* name = new StringParameter (ParameterManager::currentPresetNameIdentifier, "Current Preset Name");
    ASSERT_TRUE (manager.addParameter (number));
    ASSERT_TRUE (manager.addParameter (name));

    CountingListener listener;
    number->addListener (&listener);
    name->addListener (&listener);
    manager.setCurrentPresetNumber (200);
    manager.setCurrentPresetName ("Lead");
    manager.setNormalisedValue (5, 0.25f);
    EXPECT_EQ (number->getIntValue(), 127);
    EXPECT_EQ (manager.getText (ParameterManager::currentPresetNameIdentifier), "Lead");
    EXPECT_FLOAT_EQ (manager.getNormalisedValue (5), 0.25f);
    EXPECT_EQ (listener.changed, (std::vector<int32_t> { 110000, 110001 })) << "preset setters notify";

    manager.clear();
    EXPECT_TRUE (firstDestroyed);
    EXPECT_EQ (manager.getNumParameters(), 0);
    EXPECT_EQ (manager.getParameter (5), nullptr);
    EXPECT_EQ (manager.getParameterByName ("Five"), nullptr);
    EXPECT_TRUE (manager.addParameter (new FloatParameter (5, "Five", 0.0f, 1.0f, 0.0f))) << "the indexes were emptied too";
}

TEST (ParameterManager, ListenerHelpersAndAnnounceAll)
{
    CountingListener all, one, async;
    ParameterManager manager;
    manager.loadFromXml (*parse (R"(<PluginParameters>
        <param index="2" name="A" value="0.5"/>
        <param index="0" name="B"/>
        <param index="1" name="C" type="int" max="9" value="4"/>
      </PluginParameters>)"));

    manager.addListenerToAll (&all);
    manager.addListenerTo (1, &one);
    manager.addListenerTo (77, &one);       // unknown identifier: nothing
    manager.addAsyncListenerToAll (&async);
    manager.removeAsyncListenerFrom (0, &async);

    manager.announceAll();
    EXPECT_EQ (all.changed, (std::vector<int32_t> { 2, 0, 1 })) << "in the order the parameters were added";
    EXPECT_EQ (one.changed, (std::vector<int32_t> { 1 }));
    EXPECT_FLOAT_EQ (manager.getValue (2), 0.5f) << "announcing changes no value";
    EXPECT_EQ (manager.getParameter (1)->getIntValue(), 4);

    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (async.changed.size(), 2u);

    manager.removeAsyncListenerFromAll (&async);
    manager.addAsyncListenerTo (0, &async);
    async.changed.clear();
    manager.setNormalisedValue (2, 1.0f);
    manager.setNormalisedValue (0, 1.0f);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_EQ (async.changed, (std::vector<int32_t> { 0 }));
}
