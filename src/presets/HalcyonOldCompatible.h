#pragma once

#include "plugin/HalcyonEffect.h"

/** The layer that reads the state and preset formats of older versions. */
class HalcyonOldCompatible : public HalcyonEffect
{
public:
    explicit HalcyonOldCompatible (int numPresetParameters);
};
