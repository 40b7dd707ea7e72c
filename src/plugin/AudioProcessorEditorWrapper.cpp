#include "plugin/AudioProcessorEditorWrapper.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& owner, juce::Component& editorComponent)
    : juce::AudioProcessorEditor (owner), content (editorComponent)
{
    setOpaque (true);
    content.setTopLeftPosition (0, 0);
    addAndMakeVisible (content);
    setSize (content.getWidth(), content.getHeight());
    content.addComponentListener (this);
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    content.removeComponentListener (this);
    content.setVisible (false);
    removeChildComponent (&content);
}

void AudioProcessorEditorWrapper::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void AudioProcessorEditorWrapper::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    // The editor resizes itself when a panel opens; the host window follows.
    if (wasResized)
        setSize (content.getWidth(), content.getHeight());
}
