#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

/** A bare top-level window around a plug-in's editor that keeps the
    editor's size, as a host's plug-in window does. */
class EditorWindow : public juce::Component,
                     private juce::ComponentListener
{
public:
    explicit EditorWindow (juce::AudioProcessorEditor& editorToShow);
    ~EditorWindow() override;

    /** Puts the window at the top left of the screen and shows it. */
    void show();

    /** Deletes the editor while the window still is on the screen: an
        embedded plug-in window must leave before its host window. */
    void closeEditor (std::unique_ptr<juce::AudioProcessorEditor>& owned);

    void paint (juce::Graphics& g) override;

private:
    void componentMovedOrResized (juce::Component&, bool, bool wasResized) override;

    juce::AudioProcessorEditor* editor;
};
