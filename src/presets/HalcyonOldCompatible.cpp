#include "presets/HalcyonOldCompatible.h"

HalcyonOldCompatible::HalcyonOldCompatible (int presetParameters)
    : HalcyonEffect (presetParameters)
{
}
