#pragma once

#include <juce_core/juce_core.h>

class ProcessorAdapter;

/*  The LV2 bundle's description, written at build time from the product
    itself: manifest.ttl (plug-in, UI and presets), Korvane.ttl (the plug-in's
    class, licence, version, ports and UI) and presets.ttl (every preset of
    the factory bank but its unused slots, in banks named after their
    groups, as port values in the ports' units).

    The control ports' defaults are the values an instance starts with.
*/
namespace Lv2Turtle
{
    /** Writes the three files into `bundle`; `binary` is the library's file
        name inside it. Returns false (and says why) when a file cannot be
        written. */
    bool writeBundle (ProcessorAdapter& adapter, const juce::File& bundle, const juce::String& binary, juce::String& error);
}
