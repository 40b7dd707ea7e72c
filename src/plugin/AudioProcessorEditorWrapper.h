#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

/*  What the host's editor window holds. The processor keeps one editor
    component for its whole life; a host window only borrows it through this
    wrapper, which hands it back (hidden, detached) when the window closes,
    so reopening the window shows the editor exactly as it was left.
*/
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor,
                                    private juce::ComponentListener
{
public:
    AudioProcessorEditorWrapper (juce::AudioProcessor& owner, juce::Component& editorComponent);
    ~AudioProcessorEditorWrapper() override;

    void paint (juce::Graphics& g) override;

private:
    void componentMovedOrResized (juce::Component& component, bool wasMoved, bool wasResized) override;

    juce::Component& content;
};
