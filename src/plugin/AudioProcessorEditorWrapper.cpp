#include "plugin/AudioProcessorEditorWrapper.h"

#include "plugin/BasePlugin.h"

#include <cmath>

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (BasePlugin& owner, juce::Component& editorComponent)
    : juce::AudioProcessorEditor (owner), plugin (owner), content (editorComponent)
{
    setOpaque (true);
    content.setTopLeftPosition (0, 0);
    addAndMakeVisible (content);
    setSize (content.getWidth(), content.getHeight());
    content.addComponentListener (this);
    plugin.getInterfaceSizeBroadcaster().addChangeListener (this);
    followInterfaceSize();
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    plugin.getInterfaceSizeBroadcaster().removeChangeListener (this);
    content.removeComponentListener (this);
    content.setVisible (false);
    removeChildComponent (&content);
}

void AudioProcessorEditorWrapper::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void AudioProcessorEditorWrapper::setScaleFactor (float newScale)
{
    hostScale = newScale > 0.0f && std::isfinite (newScale) ? newScale : 1.0f;
    followInterfaceSize();
}

void AudioProcessorEditorWrapper::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    // The editor resizes itself when a panel opens; the host window follows.
    if (wasResized)
        setSize (content.getWidth(), content.getHeight());
}

void AudioProcessorEditorWrapper::changeListenerCallback (juce::ChangeBroadcaster*)
{
    followInterfaceSize();
}

void AudioProcessorEditorWrapper::followInterfaceSize()
{
    // A size the user chose replaces the host's scale.
    const auto chosen = plugin.getInterfaceSize();
    effectiveScale = chosen == BasePlugin::automaticInterfaceSize ? hostScale : (float) chosen / 100.0f;

    if (getTransform() != juce::AffineTransform::scale (effectiveScale))
        juce::AudioProcessorEditor::setScaleFactor (effectiveScale);
}
