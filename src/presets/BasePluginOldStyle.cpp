#include "presets/BasePluginOldStyle.h"

BasePluginOldStyle::BasePluginOldStyle (int presetParameters, int notPresetableParameters, const BusesProperties& buses)
    : BasePlugin (buses),
      numPresetParameters (presetParameters),
      numNotPresetableParameters (notPresetableParameters)
{
}

void BasePluginOldStyle::initialise()
{
    fillHostParameterTable();
    BasePlugin::initialise();
}
