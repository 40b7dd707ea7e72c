#pragma once

#include <juce_core/juce_core.h>

#include <optional>

class KorvaneCore;

/*  The texts the host and the editor show for Korvane's parameters 0 to 20,
    built from the quantities the core's control laws derived: "+12.0dB",
    "75Hz", "5.5", "1.9 oct.", "70/30% (Dry/Wet)", "-Inf.", "On".
*/

/** The text of parameter identifier (0 to 20) from the core's current target
    quantities. The caller keeps the core from changing meanwhile (it holds
    the frame lock) and handles other identifiers itself. */
juce::String korvaneDisplayText (int identifier, const KorvaneCore& core);

/** The text of parameter identifier (0 to 20) showing quantity q, in the
    unit its control law gives (dB, Hz, octaves, linear gain, 0 … 1). */
juce::String korvaneDisplayTextForQuantity (int identifier, double q);

/** The text parameter identifier (0 to 20) would show at a normalised value
    it does not have now; needs no core. */
juce::String korvaneDisplayTextForValue (int identifier, float normalisedValue);

/** The normalised value at which parameter identifier (0 to 20) shows what
    the text says, read the way a user types into a host's parameter field:
    with or without the unit ("+37.6dB", "37.6", "75Hz", "5.5", "1.9 oct.",
    "30" or "70/30% (Dry/Wet)" for FX, "-Inf.", "On"). Values beyond a
    parameter's range give its end. Nothing when the text holds no value. */
std::optional<float> korvaneValueForDisplayText (int identifier, const juce::String& text);
