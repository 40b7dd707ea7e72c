#include "plugin/ModuleLocation.h"

#include <dlfcn.h>

juce::File getModuleFile()
{
    Dl_info info {};

    // Any address inside this module identifies it; the function itself will do.
    if (dladdr (reinterpret_cast<const void*> (&getModuleFile), &info) != 0 && info.dli_fname != nullptr)
        return juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (info.dli_fname));

    return {};
}
