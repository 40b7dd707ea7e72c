#include "editor/HalcyonEffectEditor.h"

#include "editor/AboutWindow.h"
#include "editor/OldStylePresetBrowserWindow.h"
#include "editor/OptionsWindow.h"
#include "plugin/EventsMap.h"
#include "plugin/HalcyonEffect.h"
#include "skin/GFXAnimation.h"

namespace
{
    constexpr int aboutWidth = 550;
    constexpr int aboutHeight = 190;
    constexpr int aboutHeightWithPanel = 260;
}

HalcyonEffectEditor::HalcyonEffectEditor (HalcyonEffect& owner)
    : BasePluginEditorOldStyle (owner), effect (owner)
{
    baseHeight = getHeight() - (getStatusBar() != nullptr ? getStatusBar()->getHeight() : 0);

    leftMeter = dynamic_cast<GFXAnimation*> (findControlByName (*this, "LeftVUMeter"));
    rightMeter = dynamic_cast<GFXAnimation*> (findControlByName (*this, "RightVUMeter"));

    auto* browser = getPresetBrowserWindow();
    browser->makeDockedPanel();
    browser->setBounds (0, baseHeight, getWidth(), dockedPanelHeight);

    auto* options = getOptionsWindow();
    options->makeDockedPanel();
    options->setBounds (0, baseHeight, getWidth(), browser->getHeight());

    if (effect.hasQualitySetting())
    {
        qualitySettingsPage = std::make_unique<QualitySettingsComponent> (effect);
        qualitySettingsPage->getCurrentQualityGroup().addListener (this);
        qualitySettingsPage->getDefaultQualityGroup().addListener (this);
        options->addTab ("Quality", qualitySettingsPage.get(), 2);
    }

    resized();
}

HalcyonEffectEditor::~HalcyonEffectEditor()
{
    if (auto* options = getOptionsWindow())
        options->getTabs().clearTabs();

    if (qualitySettingsPage != nullptr)
    {
        qualitySettingsPage->getCurrentQualityGroup().removeListener (this);
        qualitySettingsPage->getDefaultQualityGroup().removeListener (this);
    }

    qualitySettingsPage.reset();
}

bool HalcyonEffectEditor::isOptionsPanelOpen() const
{
    return getOptionsWindow() != nullptr && getOptionsWindow()->isVisible();
}

bool HalcyonEffectEditor::isBrowserPanelOpen() const
{
    return getPresetBrowserWindow() != nullptr && getPresetBrowserWindow()->isVisible();
}

void HalcyonEffectEditor::toggleDockedPanel (juce::Component& panel, juce::Component& other)
{
    panel.setVisible (! panel.isVisible());
    other.setVisible (false);
    setEditorSize (getWidth(), baseHeight + (panel.isVisible() ? panel.getHeight() : 0));
    getStatusBar()->clear();
}

void HalcyonEffectEditor::controllerEventTriggered (GUIController* controller, int eventId)
{
    auto* options = getOptionsWindow();
    auto* browser = getPresetBrowserWindow();
    const bool panelsExist = options != nullptr && browser != nullptr && getStatusBar() != nullptr;

    if (eventId == EventsMap::optionsEvent)
    {
        if (panelsExist)
            toggleDockedPanel (*options, *browser);
        return;
    }

    if (eventId == EventsMap::browsePresetsEvent)
    {
        if (panelsExist)
            toggleDockedPanel (*browser, *options);
        return;
    }

    handleBaseEvent (controller, eventId);
}

void HalcyonEffectEditor::radioButtonsChanged (RadioButtons* group)
{
    if (qualitySettingsPage != nullptr && group == &qualitySettingsPage->getDefaultQualityGroup())
        showSettingsNotice ("Default Quality");
}

void HalcyonEffectEditor::refreshTick()
{
    BasePluginEditorOldStyle::refreshTick();

    const bool running = effect.isAudioRunning();

    if (running)
        if (auto* core = effect.getCore())
            core->getMeterLevels (leftMeterValue, rightMeterValue);

    if (leftMeter != nullptr)
        leftMeter->setValue (leftMeterValue);

    if (rightMeter != nullptr)
        rightMeter->setValue (rightMeterValue);

    if (! running)
    {
        // Stopped: the needles fall back instead of freezing where they were.
        for (auto* value : { &leftMeterValue, &rightMeterValue })
        {
            if (*value > meterFloor)
                *value *= meterFallFactor;
            else if (*value > 0.0f)
                *value = 0.0f;
        }
    }
}

void HalcyonEffectEditor::resized()
{
    BasePluginEditorOldStyle::resized();

    if (auto* about = getAboutWindow())
        about->setSize (aboutWidth, isOptionsPanelOpen() || isBrowserPanelOpen() ? aboutHeightWithPanel : aboutHeight);
}
