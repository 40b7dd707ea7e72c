#include "formats/lv2/Lv2Ui.h"

#include "formats/lv2/Lv2Features.h"
#include "formats/lv2/Lv2Instance.h"

#include <lv2/atom/atom.h>
#include <lv2/instance-access/instance-access.h>

#include <cstring>
#include <utility>
#include <stdexcept>

Lv2Ui::Lv2Ui (LV2UI_Write_Function writeFunction, LV2UI_Controller hostController, LV2UI_Widget* widget,
              const LV2_Feature* const* features)
    : instance (static_cast<Lv2Instance*> (const_cast<void*> (Lv2Features::find (features, LV2_INSTANCE_ACCESS_URI)))),
      write (writeFunction),
      controller (hostController),
      hostResize (static_cast<const LV2UI_Resize*> (Lv2Features::find (features, LV2_UI__resize))),
      hostTouch (static_cast<const LV2UI_Touch*> (Lv2Features::find (features, LV2_UI__touch)))
{
    const auto* parent = Lv2Features::find (features, LV2_UI__parent);

    if (instance == nullptr || parent == nullptr || widget == nullptr)
        throw std::runtime_error ("the host gives the UI no instance or no window");

    editor = std::make_unique<EmbeddedEditor> (instance->getAdapter().getProcessor(), [this] (int width, int height)
    {
        if (hostResize != nullptr)
            hostResize->ui_resize (hostResize->handle, width, height);
    });

    editor->attachTo ((unsigned long) (juce::pointer_sized_uint) parent);

    if (auto* map = static_cast<const LV2_URID_Map*> (Lv2Features::find (features, LV2_URID__map)))
    {
        scaleFactorKey = map->map (map->handle, LV2_UI__scaleFactor);
        floatType = map->map (map->handle, LV2_ATOM__Float);
        takeScale (static_cast<const LV2_Options_Option*> (Lv2Features::find (features, LV2_OPTIONS__options)));
    }

    *widget = (LV2UI_Widget) (juce::pointer_sized_uint) editor->getWindow();
}

Lv2Ui::~Lv2Ui()
{
    editor.reset();
}

int Lv2Ui::idle()
{
    loop.dispatch();

    // On the first call every port takes the plug-in's value: the host's
    // ports may still hold what they held before a preset or a MIDI change
    // inside the plug-in.
    writeChangesToHost (std::exchange (firstIdle, false));
    return 0;
}

uint32_t Lv2Ui::setOptions (const LV2_Options_Option* options)
{
    takeScale (options);
    return LV2_OPTIONS_SUCCESS;
}

void Lv2Ui::takeScale (const LV2_Options_Option* options)
{
    for (auto* option = options; option != nullptr && option->key != 0; ++option)
        if (option->key == scaleFactorKey && scaleFactorKey != 0 && option->type == floatType
            && option->size == sizeof (float) && option->value != nullptr)
            editor->setScale (*static_cast<const float*> (option->value));
}

int Lv2Ui::hostResized (int width, int height)
{
    editor->hostResized (width, height);
    return 0;
}

void Lv2Ui::writeChangesToHost (bool everyParameter)
{
    auto& adapter = instance->getAdapter();

    const auto writeValue = [this] (int index, float normalisedValue)
    {
        auto value = Lv2Ports::parameterValue (index, normalisedValue);
        instance->expectPortValue (index, value);
        write (controller, Lv2Ports::firstParameter + (uint32_t) index, sizeof (float), 0, &value);
    };

    const auto touch = [this] (int index, bool grabbed)
    {
        if (hostTouch != nullptr)
            hostTouch->touch (hostTouch->handle, Lv2Ports::firstParameter + (uint32_t) index, grabbed);
    };

    adapter.takeChanges ([&] (int index, const ProcessorAdapter::Change& change)
    {
        if (index >= (int) Lv2Ports::numParameters)
            return;

        for (int n = 0; n < change.gesturesBegun; ++n)
            touch (index, true);

        if (change.valueChanged && ! everyParameter)
            writeValue (index, change.value);

        for (int n = 0; n < change.gesturesEnded; ++n)
            touch (index, false);
    });

    if (everyParameter)
        for (int index = 0; index < (int) Lv2Ports::numParameters; ++index)
            writeValue (index, adapter.getParameter (index));
}
