#include "EditorWindow.h"

EditorWindow::EditorWindow (juce::AudioProcessorEditor& editorToShow)
    : editor (&editorToShow)
{
    setOpaque (true);
    addAndMakeVisible (*editor);
    editor->addComponentListener (this);
    setSize (editor->getWidth(), editor->getHeight());
}

EditorWindow::~EditorWindow()
{
    if (editor != nullptr)
        editor->removeComponentListener (this);

    if (isOnDesktop())
        removeFromDesktop();
}

void EditorWindow::show()
{
    setTopLeftPosition (0, 0);
    addToDesktop (0);
    setVisible (true);
    toFront (true);
}

void EditorWindow::closeEditor (std::unique_ptr<juce::AudioProcessorEditor>& owned)
{
    if (editor != nullptr)
        editor->removeComponentListener (this);

    editor = nullptr;
    owned.reset();
}

void EditorWindow::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void EditorWindow::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized && editor != nullptr)
        setSize (editor->getWidth(), editor->getHeight());
}
