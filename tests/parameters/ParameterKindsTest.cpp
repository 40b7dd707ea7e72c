#include "parameters/BoolParameter.h"
#include "parameters/EnumParameter.h"
#include "parameters/FloatParameter.h"
#include "parameters/IntParameter.h"
#include "parameters/NoteParameter.h"
#include "parameters/StringParameter.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
}

TEST (ParameterKinds, FloatConversionsAndLimits)
{
    FloatParameter p (1, "Freq", 20.0f, 20000.0f, 0.0f);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f) << "initial value is limited";

    p.setNormalisedValue (0.5f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 10010.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.5f);
    EXPECT_EQ (p.getIntValue(), 10010);
    EXPECT_TRUE (p.getBoolValue()) << "the midpoint belongs to the upper half";

    p.setValue (25000.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20000.0f);
    p.setValue (notANumber, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f);
    EXPECT_FALSE (p.getBoolValue());

    p.setNormalisedValue (notANumber, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f);
    p.setNormalisedValue (3.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20000.0f);
    p.setNormalisedValue (-1.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f);

    p.setIntValue (100000, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20000.0f);
    p.setBoolValue (false, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f);
    p.setBoolValue (true, false);
    EXPECT_FLOAT_EQ (p.getValue(), 20000.0f);

    p.setText ("440.5Hz", false);
    EXPECT_FLOAT_EQ (p.getValue(), 440.5f);
    p.setText ("loud", false);
    EXPECT_FLOAT_EQ (p.getValue(), 20.0f) << "text that is not a number reads as 0, then is limited";

    FloatParameter negative (2, "Neg", -10.0f, 10.0f, -2.7f);
    EXPECT_EQ (negative.getIntValue(), -2) << "truncation toward zero";
}

TEST (ParameterKinds, FloatTextHasNineDecimals)
{
    FloatParameter p (1, "Mix", 0.0f, 1.0f, 0.5f);
    EXPECT_EQ (p.getText(), "0.500000000");
    p.setValue (1.0f, false);
    EXPECT_EQ (p.getText(), "1.000000000");
    p.setValue (0.3f, false);
    EXPECT_EQ (p.getText(), "0.300000012") << "the single-precision value, printed exactly";
}

TEST (ParameterKinds, IntConversions)
{
    IntParameter p (1, "Steps", 0, 3, 9);
    EXPECT_EQ (p.getIntValue(), 3) << "initial value is limited";

    p.setNormalisedValue (0.5f, false);
    EXPECT_EQ (p.getIntValue(), 2);
    EXPECT_NEAR (p.getNormalisedValue(), 0.6666667f, 1e-7f);
    p.setNormalisedValue (0.49f, false);
    EXPECT_EQ (p.getIntValue(), 1);
    p.setNormalisedValue (notANumber, false);
    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_FALSE (p.getBoolValue());

    p.setValue (2.9f, false);
    EXPECT_EQ (p.getIntValue(), 2);
    EXPECT_TRUE (p.getBoolValue()) << "any value other than the minimum is on";
    p.setValue (-0.5f, false);
    EXPECT_EQ (p.getIntValue(), 0);
    p.setValue (1.0e30f, false);
    EXPECT_EQ (p.getIntValue(), 3);
    p.setValue (notANumber, false);
    EXPECT_EQ (p.getIntValue(), 0);

    p.setText ("2.9", false);
    EXPECT_EQ (p.getIntValue(), 2);
    EXPECT_EQ (p.getText(), "2");
    EXPECT_FLOAT_EQ (p.getValue(), 2.0f);

    p.setBoolValue (true, false);
    EXPECT_EQ (p.getIntValue(), 3);

    IntParameter offset (2, "Offset", -5, 5, -5);
    offset.setValue (-2.7f, false);
    EXPECT_EQ (offset.getIntValue(), -2) << "truncation toward zero, not flooring";
    offset.setNormalisedValue (0.5f, false);
    EXPECT_EQ (offset.getIntValue(), 0);
    EXPECT_FLOAT_EQ (offset.getNormalisedValue(), 0.5f);
}

TEST (ParameterKinds, BoolConversionsAndTextStyles)
{
    BoolParameter state (1, "Bypass", BoolParameter::onOffStyle);
    EXPECT_EQ (state.getText(), "off");

    state.setText ("yes", false);
    EXPECT_TRUE (state.getBoolValue());
    EXPECT_EQ (state.getText(), "on");
    state.setText ("Yes", false);
    EXPECT_FALSE (state.getBoolValue()) << "letter case matters: \"Yes\" is read as the number 0";
    state.setNormalisedValue (0.5f, false);
    EXPECT_TRUE (state.getBoolValue());
    state.setNormalisedValue (0.49f, false);
    EXPECT_FALSE (state.getBoolValue());
    state.setText ("0.75", false);
    EXPECT_TRUE (state.getBoolValue());
    state.setText ("off", false);
    EXPECT_FALSE (state.getBoolValue());

    state.setValue (-0.1f, false);
    EXPECT_TRUE (state.getBoolValue());
    state.setValue (notANumber, false);
    EXPECT_FALSE (state.getBoolValue());
    state.setIntValue (-3, false);
    EXPECT_TRUE (state.getBoolValue());
    EXPECT_EQ (state.getIntValue(), 1);
    EXPECT_FLOAT_EQ (state.getValue(), 1.0f);
    EXPECT_FLOAT_EQ (state.getNormalisedValue(), 1.0f);

    const std::pair<int, const char*> styles[] = { { 0, "true" }, { 1, "on" }, { 2, "1" }, { 3, "yes" }, { 7, "true" } };

    for (const auto& [style, onText] : styles)
    {
        BoolParameter p (2, "Flag", style, true);
        EXPECT_EQ (p.getText(), onText) << "style " << style;
        p.setText (p.getText() == "1" ? "0" : "no", false);
        EXPECT_FALSE (p.getBoolValue());
    }

    BoolParameter numbers (3, "Numbers", BoolParameter::oneZeroStyle);
    EXPECT_EQ (numbers.getText(), "0");
}

TEST (ParameterKinds, EnumItemsAndText)
{
    EnumParameter p (1, "Quality", "low;medium;high", "medium");
    EXPECT_EQ (p.getIntValue(), 1);
    EXPECT_EQ (p.getMaximum(), 2);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.5f);

    p.setText ("0.9", false);
    EXPECT_EQ (p.getIntValue(), 2);
    EXPECT_EQ (p.getText(), "high");
    p.setText ("Medium", false);
    EXPECT_EQ (p.getIntValue(), 0) << "items are matched exactly; otherwise the number 0 is taken as normalised";

    EXPECT_EQ (EnumParameter::splitItems ("a;;b").size(), 3) << "an empty text between separators is an item";
    EXPECT_EQ (EnumParameter::splitItems ("a;b;").size(), 2) << "a final separator adds no item";
    EXPECT_EQ (EnumParameter::splitItems (";a")[0], "");

    EnumParameter withEmpty (2, "Sparse", "x;;y", "");
    withEmpty.setText ("", false);
    EXPECT_EQ (withEmpty.getIntValue(), 1) << "the empty item is matched like any other";
}

TEST (ParameterKinds, NoteNames)
{
    NoteParameter p (1, "Key", 0);
    EXPECT_EQ (p.getText(), "C-0");
    p.setText ("D#4", false);
    EXPECT_EQ (p.getIntValue(), 51);
    p.setText ("G#X", false);
    EXPECT_EQ (p.getIntValue(), 127) << "beyond 127 is limited";
    p.setText ("0.5", false);
    EXPECT_EQ (p.getIntValue(), 64) << "not a note name: a normalised value";

    EXPECT_EQ (NoteParameter::formatNoteName (60), "C-5");
    EXPECT_EQ (NoteParameter::formatNoteName (63), "D#5");
    EXPECT_EQ (NoteParameter::formatNoteName (127), "G-X");
    EXPECT_EQ (NoteParameter::formatNoteName (1), "C#0");
    EXPECT_EQ (NoteParameter::formatNoteName (128), "");
    EXPECT_EQ (NoteParameter::formatNoteName (-1), "");

    EXPECT_EQ (NoteParameter::parseNoteName ("E#3"), NoteParameter::parseNoteName ("E-3"));
    EXPECT_EQ (NoteParameter::parseNoteName ("B#0"), 11);
    EXPECT_EQ (NoteParameter::parseNoteName ("A-X"), 127);

    for (auto* invalid : { "c-4", "H-4", "C+4", "C-Y", "C-10", "C4", "" })
        EXPECT_FALSE (NoteParameter::parseNoteName (invalid).has_value()) << invalid;

    for (int note = 0; note < 128; ++note)
        EXPECT_EQ (NoteParameter::parseNoteName (NoteParameter::formatNoteName (note)), note);
}

TEST (ParameterKinds, StringConversions)
{
    StringParameter p (1, "Preset Name", "42.5 dB");
    EXPECT_FLOAT_EQ (p.getValue(), 42.5f);
    EXPECT_EQ (p.getIntValue(), 42);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f);

    p.setText ("-3", false);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.0f);
    p.setValue (0.1f, false);
    EXPECT_EQ (p.getText(), "0.100000001");
    p.setNormalisedValue (2.0f, false);
    EXPECT_EQ (p.getText(), "2") << "written as given, not limited";
    p.setIntValue (-17, false);
    EXPECT_EQ (p.getText(), "-17");

    p.setBoolValue (true, false);
    EXPECT_EQ (p.getText(), "true");
    EXPECT_TRUE (p.getBoolValue());
    p.setBoolValue (false, false);
    EXPECT_EQ (p.getText(), "false");
    EXPECT_FALSE (p.getBoolValue());
    p.setText ("0.7", false);
    EXPECT_TRUE (p.getBoolValue());
    p.setText ("Untitled", false);
    EXPECT_FALSE (p.getBoolValue());
}

TEST (ParameterKinds, CloneAndCopyValue)
{
    EnumParameter source (7, "Mode", "a;b;c", "c");
    source.setAutomatable (true);
    const auto copy = source.clone();
    auto* enumCopy = dynamic_cast<EnumParameter*> (copy.get());
    ASSERT_NE (enumCopy, nullptr);
    EXPECT_EQ (enumCopy->getIdentifier(), 7);
    EXPECT_EQ (enumCopy->getName(), "Mode");
    EXPECT_TRUE (enumCopy->isAutomatable());
    EXPECT_EQ (enumCopy->getItemsText(), "a;b;c");
    EXPECT_EQ (enumCopy->getText(), "c");

    BoolParameter yesNo (8, "Flag", BoolParameter::yesNoStyle, true);
    const auto boolCopy = yesNo.clone();
    EXPECT_EQ (boolCopy->getText(), "yes");
    EXPECT_NE (dynamic_cast<NoteParameter*> (NoteParameter (9, "Key", 60).clone().get()), nullptr);

    // Each kind takes the other's value in its own terms.
    FloatParameter wide (1, "Wide", 0.0f, 100.0f, 0.0f);
    IntParameter steps (2, "Steps", 0, 10, 0);
    StringParameter text (3, "Text", "");

    steps.copyValueFrom (source, false);        // integer 2
    EXPECT_EQ (steps.getIntValue(), 2);
    wide.copyValueFrom (steps, false);          // plain value 2
    EXPECT_FLOAT_EQ (wide.getValue(), 2.0f);
    text.copyValueFrom (source, false);         // item text
    EXPECT_EQ (text.getText(), "c");
    yesNo.copyValueFrom (FloatParameter (4, "Low", 0.0f, 1.0f, 0.2f), false);
    EXPECT_FALSE (yesNo.getBoolValue());
}
