#pragma once

#include "PluginLoading.h"

/** What a host sees of a loaded plug-in, as a JSON document. */
juce::var describePlugin (const LoadedPlugin& plugin);
