#pragma once

#include <juce_core/juce_core.h>

/** The file of the shared library (or executable) this code was linked into:
    for a plug-in, the plug-in's own .so, not the host's executable. */
juce::File getModuleFile();
