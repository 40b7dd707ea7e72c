#pragma once

#include "editor/ComboBoxEx.h"
#include "editor/BasePluginEditorOldStyle.h"

class HalcyonEffect;

/*  The editor of the effect family: the Options window and the preset
    browser become panels docked under the skin, which their buttons open
    and close (the editor grows and shrinks with them); the VU meters follow
    the core's levels and fall back when processing stops; a "Quality" page
    joins the options when the effect has a quality setting.
*/
class HalcyonEffectEditor : public BasePluginEditorOldStyle
{
public:
    static constexpr int dockedPanelHeight = 256;
    /** Each refresh without audio multiplies the meter values by this. */
    static constexpr float meterFallFactor = 0.675f;
    static constexpr float meterFloor = 0.01f;

    /** The "Quality" page of the options: this instance's quality and the
        default of new instances. */
    class QualitySettingsComponent : public juce::Component,
                                     public RadioButtons::Listener,
                                     public ComboBoxEx::Listener
    {
    public:
        /** The Quality parameter's value for a level: level x 0.33333334 in
            single precision (so "Highest" is exactly 1). */
        static float qualityValueForIndex (int index);

        explicit QualitySettingsComponent (HalcyonEffect& processor);
        ~QualitySettingsComponent() override;

        RadioButtons& getCurrentQualityGroup() noexcept   { return currentQuality; }
        RadioButtons& getDefaultQualityGroup() noexcept   { return defaultQuality; }
        juce::Label& getRestartLabel() noexcept           { return restartLabel; }
        /** "Interface size": Automatic (item 1), or 100 … 200 % (the item's id). */
        ComboBoxEx& getInterfaceSizeBox() noexcept        { return interfaceSize; }

        void resized() override;
        void radioButtonsChanged (RadioButtons* group) override;
        void selectionChanged (ComboBoxEx* box) override;

    private:
        HalcyonEffect& processor;
        RadioButtons currentQuality { "Current Quality", { "Low", "Medium", "High", "Highest" } };
        RadioButtons defaultQuality { "Default Quality", { "Low", "Medium", "High", "Highest" } };
        juce::Label restartLabel;
        juce::Label interfaceSizeLabel;
        ComboBoxEx interfaceSize { "Interface size" };

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QualitySettingsComponent)
    };

    explicit HalcyonEffectEditor (HalcyonEffect& processor);
    ~HalcyonEffectEditor() override;

    int getBaseHeight() const noexcept                         { return baseHeight; }
    float getLeftMeterValue() const noexcept                   { return leftMeterValue; }
    float getRightMeterValue() const noexcept                  { return rightMeterValue; }
    GFXAnimation* getLeftMeter() const noexcept                { return leftMeter; }
    GFXAnimation* getRightMeter() const noexcept               { return rightMeter; }
    QualitySettingsComponent* getQualitySettingsPage() const noexcept { return qualitySettingsPage.get(); }

    bool isOptionsPanelOpen() const;
    bool isBrowserPanelOpen() const;

    void controllerEventTriggered (GUIController* controller, int eventId) override;
    /** Of the pages' groups, only a new default quality gets a notice here. */
    void radioButtonsChanged (RadioButtons* group) override;
    void refreshTick() override;
    void resized() override;

private:
    /** Shows one docked panel (or none when it was open) and fits the editor. */
    void toggleDockedPanel (juce::Component& panel, juce::Component& other);

    HalcyonEffect& effect;
    int baseHeight = 0;
    GFXAnimation* leftMeter = nullptr;
    GFXAnimation* rightMeter = nullptr;
    float leftMeterValue = 0.0f;
    float rightMeterValue = 0.0f;
    std::unique_ptr<QualitySettingsComponent> qualitySettingsPage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HalcyonEffectEditor)
};
