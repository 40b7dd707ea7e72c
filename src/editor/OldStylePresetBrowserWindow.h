#pragma once

#include "editor/WindowComponent.h"

class BasePluginOldStyle;

/**
    The window that holds the preset browser: the bank's groups and presets
    and the buttons that reorganise, load and save them.
*/
class OldStylePresetBrowserWindow : public WindowComponent
{
public:
    explicit OldStylePresetBrowserWindow (BasePluginOldStyle& processor);
    ~OldStylePresetBrowserWindow() override;

    bool dimsBackground() const override        { return true; }

private:
    BasePluginOldStyle& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OldStylePresetBrowserWindow)
};
