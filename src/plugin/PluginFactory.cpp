#include "plugin/Korvane.h"

// JUCE's format wrappers call this to create the processor; here runs the
// start-up sequence: construction, post-construction, initialise() and the
// editor component. An exception leaves this function, and the layer in
// front of the format's entry point (VSTPluginMain, the VST3 factory, our
// LV2 descriptor) catches it: the host gets no instance.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    auto processor = std::make_unique<Korvane>();
    processor->startUp();
    return processor.release();
}
