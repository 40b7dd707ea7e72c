#include "plugin/EventsMap.h"

#include <gtest/gtest.h>

namespace
{
    std::unique_ptr<juce::XmlElement> parse (const char* text)
    {
        auto root = juce::parseXML (juce::String (text));
        EXPECT_NE (root, nullptr);
        return root;
    }
}

TEST (EventsMap, BuiltInEventsAndLookups)
{
    EventsMap events;
    events.registerBuiltInEvents();

    EXPECT_EQ (events.getIdentifier ("Browse presets"), 1004);
    EXPECT_FALSE (events.getIdentifier ("browse presets").has_value()) << "names are matched exactly";
    EXPECT_EQ (events.getName (1000), "Options");
    EXPECT_EQ (events.getName (1005), "Save Preset");
    EXPECT_EQ (events.getName (1010), "Toggle Midi Learn");
    EXPECT_EQ (events.getName (1011), "");

    EXPECT_FALSE (events.add (1002, "Other"));
    EXPECT_FALSE (events.add (2000, "About"));
    EXPECT_EQ (events.getName (1002), "Select next preset");
    EXPECT_FALSE (events.getIdentifier ("Other").has_value());
    EXPECT_EQ (events.getName (2000), "");
    EXPECT_EQ (events.getIdentifier ("About"), 1001);

    EXPECT_EQ (events.getDisplayName (1010), "Toggle midi learn");
    EXPECT_EQ (events.getDisplayName (1006), "Save preset as");
    EXPECT_EQ (events.getDisplayName (999), "");

    EXPECT_TRUE (events.add (10000, "Debug Event 0"));
    EXPECT_TRUE (events.add (0, "")) << "an empty name is a name like any other, once";
    EXPECT_FALSE (events.add (1, ""));

    events.clear();
    EXPECT_FALSE (events.getIdentifier ("Options").has_value());
    EXPECT_EQ (events.getName (1000), "");
}

TEST (EventsMap, LoadFromXmlComesBeforeBuiltIns)
{
    EventsMap events;
    events.loadFromXml (*parse (R"(<EVENTSMAP>
        <!-- the document's entries stand against the built-in ones -->
        <Event UID="42" NAME="Options"/>
        <event name="Nameless Identifier"/>
        <event uid="43" name="Options"/>
        <event uid="42" name="Duplicate Identifier"/>
        <event uid="1004"/>
        <action uid="44" name="Not An Event"/>
      </EVENTSMAP>)"));
    events.registerBuiltInEvents();

    EXPECT_EQ (events.getIdentifier ("Options"), 42) << "the first entry wins";
    EXPECT_EQ (events.getName (1000), "") << "the built-in Options is not registered";
    EXPECT_EQ (events.getIdentifier ("Nameless Identifier"), 0) << "an event without uid gets 0";
    EXPECT_FALSE (events.getIdentifier ("Duplicate Identifier").has_value());
    EXPECT_EQ (events.getIdentifier (""), 1004) << "an event without name gets the empty name";
    EXPECT_FALSE (events.getIdentifier ("Browse presets").has_value()) << "its identifier was taken";
    EXPECT_FALSE (events.getIdentifier ("Not An Event").has_value());
    EXPECT_EQ (events.getIdentifier ("About"), 1001);

    events.loadFromXml (*parse (R"(<Events><event uid="1" name="x"/></Events>)"));
    EXPECT_EQ (events.getName (42), "") << "loading clears first, even when the root is wrong";
    EXPECT_EQ (events.getName (1), "");

    events.registerBuiltInEvents();
    events.loadFromResource ("no-such-resource.xml");
    EXPECT_EQ (events.getIdentifier ("Options"), 1000) << "a missing resource changes nothing";
}
