#include "plugin/SettingsFileLocation.h"

#include "plugin/AtomicFileWriter.h"

#include <fcntl.h>
#include <unistd.h>

SettingsFileLocation::SettingsFileLocation (const juce::File& toRead, const juce::File& toWrite)
    : fileToRead (toRead),
      fileToWrite (toWrite),
      fileToWriteReadOnly (AtomicFileWriter::isReadOnly (toWrite))
{
}

SettingsFileLocation SettingsFileLocation::find (const juce::String& pluginDirectory, const juce::String& pluginName,
                                                 const juce::File& overrideFolder)
{
    const auto fileName = pluginName + ".ini";

    if (overrideFolder != juce::File())
        return { overrideFolder.getChildFile (fileName), overrideFolder.getChildFile (fileName) };

    // An instance that never learnt where its library is has only the user's folder.
    const auto directory = juce::File::isAbsolutePath (pluginDirectory) ? juce::File (pluginDirectory) : juce::File();
    const bool writable = directory != juce::File() && canCreateFilesIn (directory);

    return choose (directory, writable, userFolderFor (pluginName), fileName);
}

SettingsFileLocation SettingsFileLocation::choose (const juce::File& pluginDirectory, bool pluginDirectoryWritable,
                                                   const juce::File& userFolder, const juce::String& fileName)
{
    if (pluginDirectoryWritable)
        return { pluginDirectory.getChildFile (fileName), pluginDirectory.getChildFile (fileName) };

    const auto usersFile = userFolder.getChildFile (fileName);

    if (usersFile.existsAsFile() || pluginDirectory == juce::File())
        return { usersFile, usersFile };

    // The user has no file yet: the defaults shipped beside the plug-in.
    return { pluginDirectory.getChildFile (fileName), usersFile };
}

juce::File SettingsFileLocation::userFolderFor (const juce::String& pluginName)
{
    // Only an absolute path counts; anything else is to be ignored.
    const auto xdg = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    const auto configFolder = xdg.startsWithChar ('/')
                                ? juce::File (xdg)
                                : juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".config");

    return configFolder.getChildFile (pluginName);
}

bool SettingsFileLocation::canCreateFilesIn (const juce::File& folder)
{
    if (! folder.isDirectory())
        return false;

    // Created only if no file of that name is there, so none is removed by mistake.
    const auto probe = folder.getNonexistentChildFile (".settings-probe", ".tmp", false).getFullPathName();
    const auto fd = ::open (probe.toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);

    if (fd < 0)
        return false;

    ::close (fd);
    ::unlink (probe.toRawUTF8());
    return true;
}
