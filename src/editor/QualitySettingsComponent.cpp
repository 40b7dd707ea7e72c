#include "editor/HalcyonEffectEditor.h"

#include "editor/DefaultLookAndFeel.h"
#include "plugin/HalcyonEffect.h"

namespace
{
    constexpr int pageMargin = 8;
    constexpr int halfGap = 3;

    // The interface sizes offered; the automatic one goes by id 1.
    constexpr int automaticItem = 1;
    constexpr int interfaceSizes[] { 100, 125, 150, 175, 200 };
}

float HalcyonEffectEditor::QualitySettingsComponent::qualityValueForIndex (int index)
{
    return (float) index * 0.33333334f;
}

HalcyonEffectEditor::QualitySettingsComponent::QualitySettingsComponent (HalcyonEffect& owner)
    : juce::Component ("QualitySettingsComponent"), processor (owner)
{
    addAndMakeVisible (currentQuality);
    addAndMakeVisible (defaultQuality);

    restartLabel.setText ("After changing this setting you need to restart your project (Stop/Start) to update plug-in's latency.",
                          juce::dontSendNotification);
    restartLabel.setFont (DefaultLookAndFeel::interfaceFont (13.0f));
    restartLabel.setJustificationType (juce::Justification::topLeft);
    restartLabel.setColour (juce::Label::textColourId, juce::Colours::black);
    restartLabel.setBorderSize ({});
    addChildComponent (restartLabel);
    restartLabel.setVisible (processor.qualityChangeNeedsRestart());

    // What the page shows is read once, when it is built.
    currentQuality.setSelectedIndex (processor.getQualityLevel(), false);
    defaultQuality.setSelectedIndex (processor.getDefaultQualityLevel(), false);

    currentQuality.addListener (this);
    defaultQuality.addListener (this);

    interfaceSizeLabel.setText ("Interface size", juce::dontSendNotification);
    interfaceSizeLabel.setFont (DefaultLookAndFeel::interfaceFont (13.0f));
    interfaceSizeLabel.setColour (juce::Label::textColourId, juce::Colours::black);
    interfaceSizeLabel.setBorderSize ({});
    addAndMakeVisible (interfaceSizeLabel);

    interfaceSize.menu().addItem (automaticItem, "Automatic");
    for (const auto size : interfaceSizes)
        interfaceSize.menu().addItem (size, juce::String (size) + " %");

    const auto chosen = processor.getInterfaceSize();
    interfaceSize.itemSelected (&interfaceSize.menu(), chosen == BasePlugin::automaticInterfaceSize ? automaticItem : chosen);
    addAndMakeVisible (interfaceSize);
    interfaceSize.addListener (this);
}

HalcyonEffectEditor::QualitySettingsComponent::~QualitySettingsComponent()
{
    currentQuality.removeListener (this);
    defaultQuality.removeListener (this);
    interfaceSize.removeListener (this);
}

void HalcyonEffectEditor::QualitySettingsComponent::resized()
{
    const auto area = getLocalBounds().reduced (pageMargin);
    const auto half = area.getWidth() / 2 - halfGap;
    currentQuality.setBounds (area.getX(), area.getY(), half, currentQuality.getHeight());
    defaultQuality.setBounds (area.getRight() - half, area.getY(), half, defaultQuality.getHeight());
    restartLabel.setBounds (area.getX(), currentQuality.getBottom() + 4, half, 30);

    const auto left = area.getRight() - half;
    interfaceSizeLabel.setBounds (left + 12, defaultQuality.getBottom() + 10, 90, 20);
    interfaceSize.setBounds (interfaceSizeLabel.getRight() + 4, defaultQuality.getBottom() + 10, 110, 20);
}

void HalcyonEffectEditor::QualitySettingsComponent::selectionChanged (ComboBoxEx* box)
{
    if (box == &interfaceSize)
        processor.setInterfaceSize (box->selectedId() == automaticItem ? BasePlugin::automaticInterfaceSize : box->selectedId());
}

void HalcyonEffectEditor::QualitySettingsComponent::radioButtonsChanged (RadioButtons* group)
{
    if (group == &currentQuality)
    {
        // The core takes the new quality when the host next prepares playback.
        if (auto* quality = processor.getParameterManager().getParameterByName ("Quality"))
            quality->setNormalisedValue (qualityValueForIndex (juce::jmax (0, currentQuality.getSelectedIndex())), true);
    }
    else if (group == &defaultQuality)
    {
        processor.setDefaultQualityLevel (juce::jmax (0, defaultQuality.getSelectedIndex()));
    }
}
