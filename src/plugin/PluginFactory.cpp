#include "plugin/Korvane.h"

// JUCE's format wrappers call this to create the processor. The wrappers own
// the host entry points (VSTPluginMain asks the host's version first and
// catches exceptions, returning no instance), so here runs the rest of the
// start-up sequence: construction, post-construction, initialise() and the
// editor component. An exception leaves this function and the wrapper
// returns no instance.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    auto processor = std::make_unique<Korvane>();
    processor->startUp();
    return processor.release();
}
