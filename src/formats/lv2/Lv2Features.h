#pragma once

#include <lv2/core/lv2.h>

#include <cstring>

namespace Lv2Features
{
    /** The data of the host's feature with this URI, or null when the host
        did not give it. */
    inline const void* find (const LV2_Feature* const* features, const char* uri) noexcept
    {
        for (auto* const* feature = features; feature != nullptr && *feature != nullptr; ++feature)
            if (std::strcmp ((*feature)->URI, uri) == 0)
                return (*feature)->data;

        return nullptr;
    }
}
