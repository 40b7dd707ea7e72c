#pragma once

#include <juce_core/juce_core.h>

/*  Where an instance reads its user settings file ("Korvane.ini") and where
    it writes it back.

    Beside the plug-in library when that folder can be written: both there.
    A plug-in installed system-wide cannot write its folder, and a file
    beside it holds the defaults shipped for every user: the user's own file
    ($XDG_CONFIG_HOME/<plug-in>/ or ~/.config/<plug-in>/) is read when it
    exists, else those defaults, and the user's file is written.

    Decided once, when an instance starts; the file to write being read-only
    then is remembered, for the editor to tell the user.
*/
class SettingsFileLocation
{
public:
    SettingsFileLocation() = default;

    /** The location for an instance of the plug-in whose library is in
        `pluginDirectory`. A non-empty `overrideFolder` (tools and tests)
        holds the file to read and to write, whatever the rest says. */
    static SettingsFileLocation find (const juce::String& pluginDirectory, const juce::String& pluginName,
                                      const juce::File& overrideFolder);

    /** The rule itself, for a plug-in folder that can or cannot be written
        and the user's folder for the plug-in's settings. */
    static SettingsFileLocation choose (const juce::File& pluginDirectory, bool pluginDirectoryWritable,
                                        const juce::File& userFolder, const juce::String& fileName);

    /** The user's folder for the plug-in's settings: in $XDG_CONFIG_HOME
        when that is an absolute path, else in ~/.config. */
    static juce::File userFolderFor (const juce::String& pluginName);

    /** Whether a file can be created in the folder, found out by creating
        (and removing) one: a folder's mode says nothing about root, and a
        read-only file system shows only when tried. */
    static bool canCreateFilesIn (const juce::File& folder);

    const juce::File& getFileToRead() const noexcept    { return fileToRead; }
    const juce::File& getFileToWrite() const noexcept   { return fileToWrite; }
    /** The file to write existed read-only when the location was decided. */
    bool isFileToWriteReadOnly() const noexcept         { return fileToWriteReadOnly; }
    bool isKnown() const noexcept                       { return fileToWrite != juce::File(); }

private:
    SettingsFileLocation (const juce::File& toRead, const juce::File& toWrite);

    juce::File fileToRead;
    juce::File fileToWrite;
    bool fileToWriteReadOnly = false;
};
