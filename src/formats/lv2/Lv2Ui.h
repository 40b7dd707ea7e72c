#pragma once

#include "formats/EmbeddedEditor.h"
#include "formats/MessageLoop.h"

#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

class Lv2Instance;

/*  The LV2 UI: the plug-in's own editor, embedded in the host's X11 window
    (ui:X11UI with ui:parent), reaching the instance directly (instance
    access). It runs on the host's UI thread, which is JUCE's message thread
    while it exists; the host's idle calls run JUCE's loop.

    Parameters changed inside the plug-in (the editor, a preset, the MIDI
    map) are written into the host's control ports on each idle call, with
    the host told of the editor's gestures where it listens (ui:touch); the
    host's own changes reach the processor through the ports and need no
    echo. The window follows the editor's size (ui:resize).
*/
class Lv2Ui
{
public:
    /** Throws when the host lacks what the UI needs. */
    Lv2Ui (LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features);
    ~Lv2Ui();

    /** The host's idle call: JUCE's messages and the parameters' changes. */
    int idle();

    /** The host has resized the window. */
    int hostResized (int width, int height);

    /** Options the host sets later: the scale of its window (ui:scaleFactor). */
    uint32_t setOptions (const LV2_Options_Option* options);

private:
    void writeChangesToHost (bool everyParameter);
    /** Takes the host's ui:scaleFactor from options, if it is among them. */
    void takeScale (const LV2_Options_Option* options);

    MessageLoop::HostDriven loop;
    Lv2Instance* instance = nullptr;
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Resize* hostResize = nullptr;
    const LV2UI_Touch* hostTouch = nullptr;
    LV2_URID scaleFactorKey = 0, floatType = 0;
    std::unique_ptr<EmbeddedEditor> editor;
    bool firstIdle = true;
};
