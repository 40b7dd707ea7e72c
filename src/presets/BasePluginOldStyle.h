#pragma once

#include "plugin/BasePlugin.h"
#include "presets/PresetBank.h"
#include "presets/PresetInterfaces.h"

#include <atomic>

/*  The preset layer of the processor: the bank of 128 slots in named groups,
    and everything a user does with it. The current preset's number and name
    are published as two internal parameters, so that the editor follows
    them.

    Values move between the bank and the live parameters only through
    copies: no bank lock is held while a parameter (and so the host, the
    editor or the DSP core) is told anything.
*/
class BasePluginOldStyle : public BasePlugin,
                           public PresetApplier
{
public:
    using PresetChanger = ::PresetChanger;
    using PresetManagerListener = ::PresetManagerListener;

    static constexpr int currentPresetNumberIdentifier = 110000;
    static constexpr int currentPresetNameIdentifier = 110001;

    /** Where the factory bank comes from when a bank file cannot be used. */
    enum DefaultPresetsMode { factoryPresets = 0, clearedPresets = 1, userDefinedPresets = 2 };

    BasePluginOldStyle (int numPresetParameters, int numNotPresetableParameters, const BusesProperties& buses);

    void initialise() override;
    void handleEvent (int identifier) override;
    std::unique_ptr<BasePluginEditor> createEditorComponent() override;

    // What hosts keep in their projects, and the user settings file.
    std::unique_ptr<juce::XmlElement> createStateXml() override;
    void restoreStateFromXml (const juce::XmlElement& element) override;
    std::unique_ptr<juce::XmlElement> createProgramStateXml() override;
    void restoreProgramStateFromXml (const juce::XmlElement& element) override;
    std::unique_ptr<juce::XmlElement> createUserSettingsXml() override;
    void loadUserSettingsXml (const juce::XmlElement& element) override;

    std::unique_ptr<juce::XmlElement> createParametersStateXml();
    void restoreParametersState (const juce::XmlElement& element);
    std::unique_ptr<juce::XmlElement> createPresetsStateXml();
    void restorePresetsState (const juce::XmlElement& element);
    void parameterChanged (Parameter* parameter) override;

    /** Presets stay inside the plug-in, so hosts are told of no programs.
        A VST 2.4 host is always shown one (JUCE's wrapper never reports
        fewer), and it reads that program's name into its own buffer: that
        one program is the current preset, under its name. */
    int getNumPrograms() override;
    const juce::String getProgramName (int index) override;

    virtual bool hasPresetStoringSetting() const  { return true; }
    virtual bool hasPresetChangingSetting() const { return true; }

    //==============================================================================
    // Selection. Invalid indices do nothing; stepping does not wrap around.
    int getCurrentPresetIndex() const noexcept { return currentPreset.load(); }
    void setCurrentPresetIndex (int index, bool notify);
    void applyCurrentPreset() override;
    void selectNextPreset();
    void selectPreviousPreset();
    void selectPreset (int index);
    /** A MIDI program change: selects the slot even when it is current. */
    void selectPresetFromProgramChange (int program);

    // Storing, clipboard and names.
    void storePreset (int index);
    void copyCurrentPreset();
    void pasteCopiedPreset();
    bool isClipboardFilled() const noexcept { return clipboardFilled.load(); }
    void renamePreset (int index, const juce::String& name);

    // Groups and moves; after a move the current preset is the same record.
    void addGroup (int group);
    void removeEmptyGroup (int group);
    void renameGroup (int group, const juce::String& name);
    void movePreset (int from, int to, int fromGroup, int toGroup);
    /** Moves the selected positions (within fromGroup) to the end of toGroup. */
    void movePresetsToGroup (int toGroup, int fromGroup, const juce::SparseSet<int>& selection);
    void moveGroup (int from, int to);
    void clearPresets();

    //==============================================================================
    // Preset and bank documents.
    virtual bool isPresetXml (const juce::XmlElement& element) const;
    virtual bool isPresetGroupXml (const juce::XmlElement& element) const;
    virtual bool isPresetBankXml (const juce::XmlElement& element) const;
    virtual void loadPresetFromXml (const juce::XmlElement& element, Preset& preset);
    void loadPresetFromXml (const juce::XmlElement& element, int slotIndex);
    virtual std::unique_ptr<juce::XmlElement> createPresetXml (const Preset& preset);
    std::unique_ptr<juce::XmlElement> createPresetXml (int slotIndex);
    virtual void loadBankFromXml (const juce::XmlElement& element);
    virtual std::unique_ptr<juce::XmlElement> createBankXml();

    /** A stored value as preset documents write it: rounded to six decimals. */
    static juce::String formatPresetValue (float value);

    juce::String presetFileExtension() const;
    juce::String bankFileExtension() const;
    juce::String ccmapFileExtension() const;
    juce::String presetFileWildcard() const;
    juce::String bankFileWildcard() const;
    juce::String ccmapFileWildcard() const;

    // Files; each remembers the file's folder for the next file chooser.
    void loadPresetFile (const juce::File& file, int slotIndex);
    void savePresetFile (const juce::File& file, int slotIndex);
    void loadBankFile (const juce::File& file);
    void saveBankFile (const juce::File& file);

    //==============================================================================
    // Settings kept in the user settings file.
    bool isPresetStoringOnDemand() const noexcept { return presetStoringOnDemand.load() != 0; }
    /** Switching to automatic storing stores the knobs into the current slot. */
    void setPresetStoringOnDemand (bool onDemand);
    bool isSilentPresetChange() const noexcept { return silentPresetChange.load() != 0; }
    void setSilentPresetChange (bool silent) noexcept { silentPresetChange.store (silent ? 1 : 0); }
    int getDefaultPresetsMode() const noexcept { return defaultPresetsMode; }
    void setDefaultPresetsMode (int mode) noexcept { defaultPresetsMode = mode; }
    const juce::String& getUserDefinedBankFile() const noexcept { return userDefinedBankFile; }
    void setUserDefinedBankFile (const juce::String& path) { userDefinedBankFile = path; }
    /** A copy: every file operation may change it, on whichever thread it runs. */
    juce::String getRecentlyUsedDirectory() const;
    /** Only a folder that exists is taken. */
    void setRecentlyUsedDirectory (const juce::File& folder);

    void setPresetChanger (PresetChanger* changer) noexcept { presetChanger.store (changer); }
    void addPresetManagerListener (PresetManagerListener* listener);
    void removePresetManagerListener (PresetManagerListener* listener);

    PresetBank& getBank() noexcept { return bank; }
    int getNumPresetParameters() const noexcept         { return numPresetParameters; }
    int getNumNotPresetableParameters() const noexcept  { return numNotPresetableParameters; }

protected:
    /** Older file extensions this product also reads (".kvp"), by kind. */
    virtual juce::StringArray getOlderPresetExtensions() const { return {}; }
    virtual juce::StringArray getOlderBankExtensions() const   { return {}; }
    virtual juce::StringArray getOlderCcmapExtensions() const  { return {}; }

    juce::String ownExtension (const char* suffix) const;

private:
    void changeToCurrentPreset();
    void loadDefaultValues();
    void loadStartUpBank();
    void rememberFolderOf (const juce::File& file);
    void fillLiveValues (float* destination);

    const int numPresetParameters;
    const int numNotPresetableParameters;

    PresetBank bank;
    std::atomic<int> currentPreset { 0 };
    std::atomic<bool> clipboardFilled { false };
    std::atomic<int> presetStoringOnDemand { 1 };
    std::atomic<int> silentPresetChange { 0 };
    int defaultPresetsMode = factoryPresets;
    juce::String userDefinedBankFile;
    juce::String recentlyUsedDirectory;
    mutable juce::SpinLock recentlyUsedDirectoryLock;   // a string is no single word to share
    std::atomic<PresetChanger*> presetChanger { nullptr };
    juce::Array<PresetManagerListener*> presetManagerListeners;
};
