#pragma once

#include <juce_core/juce_core.h>

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
