#pragma once

#include "plugin/BasePlugin.h"

// Instances started while one of these lives keep their user settings in a
// folder of its own, which it removes again.
struct TestSettingsFolder
{
    TestSettingsFolder()  { folder.createDirectory(); BasePlugin::setUserSettingsFolderOverride (folder); }
    ~TestSettingsFolder() { BasePlugin::setUserSettingsFolderOverride (previous); folder.deleteRecursively(); }

    juce::File file() const { return folder.getChildFile ("Korvane.ini"); }
    void write (const juce::String& xml) const { file().replaceWithText (xml); }

    juce::File folder = juce::File::createTempFile ("korvane-settings");
    juce::File previous = BasePlugin::getUserSettingsFolderOverride();
};
