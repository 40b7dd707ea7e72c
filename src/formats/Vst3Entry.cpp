/*  The VST3 module's factory: JUCE's (whose GetPluginFactory the build
    renames juceGetPluginFactory) behind a thin layer that keeps exceptions
    from the host.
*/
#undef GetPluginFactory

#include "formats/Vst3FactoryBoundary.h"

extern "C" Steinberg::IPluginFactory* PLUGIN_API juceGetPluginFactory();

extern "C" SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
    return Vst3FactoryBoundary::share (&juceGetPluginFactory);
}
