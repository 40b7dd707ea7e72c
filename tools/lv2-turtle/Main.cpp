/*  korvane-lv2-turtle BUNDLE BINARY

    Writes the LV2 bundle's Turtle files (manifest, plug-in, presets) from
    the product itself; the build runs it after linking the LV2 library.
*/
#include "formats/ProcessorAdapter.h"
#include "formats/lv2/Lv2Turtle.h"
#include "plugin/BasePlugin.h"

#include <iostream>

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: korvane-lv2-turtle BUNDLE BINARY\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;

    // The factory's start-up state, whatever this machine's user settings say.
    const auto settings = juce::File::createTempFile ("korvane-lv2-turtle");
    settings.createDirectory();
    BasePlugin::setUserSettingsFolderOverride (settings);

    juce::String error;
    bool written = false;

    try
    {
        ProcessorAdapter adapter (juce::AudioProcessor::wrapperType_LV2);
        written = Lv2Turtle::writeBundle (adapter, juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]), argv[2], error);
    }
    catch (const std::exception& e)
    {
        error = e.what();
    }

    settings.deleteRecursively();

    if (! written)
        std::cerr << "korvane-lv2-turtle: " << error << "\n";

    return written ? 0 : 1;
}
