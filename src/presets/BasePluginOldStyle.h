#pragma once

#include "plugin/BasePlugin.h"

/*  The preset layer of the processor. For now it fills the host parameter
    table and records how many leading parameters presets store; the bank and
    everything a user does with presets build on it.
*/
class BasePluginOldStyle : public BasePlugin
{
public:
    BasePluginOldStyle (int numPresetParameters, int numNotPresetableParameters, const BusesProperties& buses);

    void initialise() override;

    int getNumPresetParameters() const noexcept         { return numPresetParameters; }
    int getNumNotPresetableParameters() const noexcept  { return numNotPresetableParameters; }

private:
    const int numPresetParameters;
    const int numNotPresetableParameters;
};
