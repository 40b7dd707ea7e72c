#include <gtest/gtest.h>

#include "plugin/EmbeddedResources.h"

TEST (EmbeddedResources, FileNameSplitsAtTheLastDot)
{
    const auto key = ResourceKey::fromFileName ("default.kvprsb");
    ASSERT_TRUE (key.has_value());
    EXPECT_EQ (key->type, "kvprsb");
    EXPECT_EQ (key->name, "default");

    const auto dotted = ResourceKey::fromFileName ("skin.v2.xml");
    ASSERT_TRUE (dotted.has_value());
    EXPECT_EQ (dotted->name, "skin.v2");
    EXPECT_EQ (dotted->type, "xml");

    EXPECT_FALSE (ResourceKey::fromFileName ("parameters").has_value());
    const ResourceKey upper { "XML", "PARAMETERS" };
    EXPECT_TRUE (upper.matches (*ResourceKey::fromFileName ("Parameters.Xml")));
}

TEST (EmbeddedResources, LookupIgnoresCaseAndNeedsTypeAndName)
{
    const auto text = loadResourceString ("parameters.xml");
    EXPECT_TRUE (text.contains ("<PluginParameters"));
    EXPECT_EQ (loadResourceString ("PARAMETERS.XML"), text);

    const auto data = loadResourceData ("Parameters.xml");
    ASSERT_TRUE (data.has_value());
    EXPECT_EQ (data->toString(), text);

    EXPECT_TRUE (loadResourceString ("parameters").isEmpty());
    EXPECT_TRUE (loadResourceString ("parameters.png").isEmpty());
    EXPECT_TRUE (loadResourceString ("events.xml").isEmpty());
    EXPECT_FALSE (loadResourceData ("").has_value());
}

TEST (EmbeddedResources, ImagesLeaveTheImageAloneWhenAbsentAndEmptyWhenUndecodable)
{
    juce::Image image (juce::Image::ARGB, 3, 2, true);

    EXPECT_FALSE (loadResourceImage ("missing.png", image));
    EXPECT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 3);

    // The definitions exist but are no picture.
    EXPECT_TRUE (loadResourceImage ("parameters.xml", image));
    EXPECT_FALSE (image.isValid());
}
