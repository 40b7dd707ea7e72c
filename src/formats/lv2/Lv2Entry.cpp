/*  The LV2 library's two entry points: the plug-in and its UI. No exception
    leaves them: an instance that cannot be made is no instance, a call that
    fails does nothing (a block is silent, a state is not stored).
*/
#include "formats/NoExceptions.h"
#include "formats/lv2/Lv2Instance.h"
#include "formats/lv2/Lv2Ui.h"

#include <lv2/options/options.h>

namespace
{
    Lv2Instance& instanceOf (LV2_Handle handle) { return *static_cast<Lv2Instance*> (handle); }
    Lv2Ui& uiOf (LV2UI_Handle handle)           { return *static_cast<Lv2Ui*> (handle); }

    using NoExceptions::guarded;

    const LV2_State_Interface stateInterface
    {
        [] (LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state, uint32_t, const LV2_Feature* const*)
        {
            return guarded ([&] { return instanceOf (handle).save (store, state); }, LV2_STATE_ERR_UNKNOWN);
        },
        [] (LV2_Handle handle, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state, uint32_t, const LV2_Feature* const*)
        {
            return guarded ([&] { return instanceOf (handle).restore (retrieve, state); }, LV2_STATE_ERR_UNKNOWN);
        }
    };

    const LV2_Descriptor pluginDescriptor
    {
        JucePlugin_LV2URI,
        [] (const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const* features) -> LV2_Handle
        {
            return guarded ([&] { return (LV2_Handle) new Lv2Instance (sampleRate, features); }, (LV2_Handle) nullptr);
        },
        [] (LV2_Handle handle, uint32_t port, void* data) { instanceOf (handle).connect (port, data); },
        [] (LV2_Handle handle) { guarded ([&] { instanceOf (handle).activate(); return 0; }, 0); },
        [] (LV2_Handle handle, uint32_t numSamples) { instanceOf (handle).run (numSamples); },
        [] (LV2_Handle handle) { guarded ([&] { instanceOf (handle).deactivate(); return 0; }, 0); },
        [] (LV2_Handle handle) { guarded ([&] { delete &instanceOf (handle); return 0; }, 0); },
        [] (const char* uri) -> const void*
        {
            return std::strcmp (uri, LV2_STATE__interface) == 0 ? &stateInterface : nullptr;
        }
    };

    const LV2UI_Resize uiResize
    {
        nullptr,
        [] (LV2UI_Feature_Handle handle, int width, int height)
        {
            return guarded ([&] { return uiOf (handle).hostResized (width, height); }, 1);
        }
    };

    const LV2_Options_Interface uiOptions
    {
        [] (LV2_Handle, LV2_Options_Option*) { return (uint32_t) LV2_OPTIONS_ERR_UNKNOWN; },
        [] (LV2_Handle handle, const LV2_Options_Option* options)
        {
            return guarded ([&] { return uiOf (handle).setOptions (options); }, (uint32_t) LV2_OPTIONS_ERR_UNKNOWN);
        }
    };

    const LV2UI_Idle_Interface uiIdle
    {
        [] (LV2UI_Handle handle) { return guarded ([&] { return uiOf (handle).idle(); }, 1); }
    };

    const juce::String uiUri = juce::String (JucePlugin_LV2URI) + ":UI";

    const LV2UI_Descriptor uiDescriptor
    {
        uiUri.toRawUTF8(),
        [] (const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function write, LV2UI_Controller controller,
            LV2UI_Widget* widget, const LV2_Feature* const* features) -> LV2UI_Handle
        {
            return guarded ([&] { return (LV2UI_Handle) new Lv2Ui (write, controller, widget, features); }, (LV2UI_Handle) nullptr);
        },
        [] (LV2UI_Handle handle) { guarded ([&] { delete &uiOf (handle); return 0; }, 0); },
        [] (LV2UI_Handle, uint32_t, uint32_t, uint32_t, const void*) {},
        [] (const char* uri) -> const void*
        {
            if (std::strcmp (uri, LV2_UI__idleInterface) == 0) return &uiIdle;
            if (std::strcmp (uri, LV2_UI__resize) == 0)        return &uiResize;
            if (std::strcmp (uri, LV2_OPTIONS__interface) == 0) return &uiOptions;
            return nullptr;
        }
    };
}

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor (uint32_t index)
{
    return index == 0 ? &pluginDescriptor : nullptr;
}

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor (uint32_t index)
{
    return index == 0 ? &uiDescriptor : nullptr;
}
