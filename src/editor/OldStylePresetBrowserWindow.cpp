#include "editor/OldStylePresetBrowserWindow.h"

#include "presets/BasePluginOldStyle.h"

OldStylePresetBrowserWindow::OldStylePresetBrowserWindow (BasePluginOldStyle& owner)
    : WindowComponent ("PresetBrowserWindow"), processor (owner)
{
    setTitle ("Preset Browser");
}

OldStylePresetBrowserWindow::~OldStylePresetBrowserWindow() = default;
