/*  The CLAP library's entry: one plug-in, Korvane. No exception leaves it:
    a plug-in that cannot be made is none.
*/
#include "formats/clap/ClapPlugin.h"

#include <clap/plugin-factory.h>

#include <cstring>

namespace
{
    const clap_plugin_factory_t factory
    {
        [] (const clap_plugin_factory_t*) { return 1u; },
        [] (const clap_plugin_factory_t*, uint32_t index) { return index == 0 ? &ClapPlugin::descriptor : nullptr; },
        [] (const clap_plugin_factory_t*, const clap_host_t* host, const char* id) -> const clap_plugin_t*
        {
            if (host == nullptr || id == nullptr || std::strcmp (id, ClapPlugin::descriptor.id) != 0)
                return nullptr;

            try
            {
                return (new ClapPlugin (host))->getPlugin();
            }
            catch (...)
            {
                return nullptr;
            }
        }
    };
}

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry
{
    CLAP_VERSION_INIT,
    [] (const char*) { return true; },
    [] {},
    [] (const char* id) -> const void* { return id != nullptr && std::strcmp (id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &factory : nullptr; }
};
