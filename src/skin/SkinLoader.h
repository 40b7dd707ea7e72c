#pragma once

#include "skin/SkinImage.h"
#include "skin/GUIController.h"

#include <memory>

class EventsMap;
class ParameterManager;

/**
    What the skin loader works with and what it leaves behind.

    The caller (the editor, or a test) supplies the parameter set and event
    map the controls link to, the component the controls become children of,
    and the listener to register on every control. After loading, the
    context owns the created controls and holds the background image.

    The controller list is guarded by its own lock, since it is also walked
    when listeners are added. Destroying the context deletes the controls,
    which leave their parent by themselves.
*/
class SkinContext
{
public:
    SkinContext (ParameterManager& parameterSet,
                 const EventsMap& eventMap,
                 juce::Component& parent,
                 GUIController::Listener* listener = nullptr);
    ~SkinContext();

    ParameterManager& getParameterSet() const noexcept          { return parameterSet; }
    const EventsMap& getEventMap() const noexcept               { return eventMap; }
    juce::Component& getParent() const noexcept                 { return parent; }
    GUIController::Listener* getListener() const noexcept       { return listener; }

    /** Takes ownership and appends to the controller list. */
    GUIController* addControl (std::unique_ptr<GUIController> control);
    /** Deletes every control. */
    void clearControls();

    int getNumControls() const;
    GUIController* getControl (int index) const;
    /** The first control whose component name is exactly the name (top level only), or nullptr. */
    GUIController* findControl (const juce::String& componentName) const;

    /** Registers the listener on every control, in list order. */
    void addListenerToAll (GUIController::Listener* listenerToAdd);

    /** The background image (invalid when none was loaded). The editor takes
        its content size from it. */
    const SkinImage& getBackground() const noexcept             { return background; }
    bool hasBackground() const noexcept                         { return background.isValid(); }
    void setBackground (const SkinImage& image)                 { background = image; }

    juce::CriticalSection& getLock() noexcept                   { return lock; }

private:
    ParameterManager& parameterSet;
    const EventsMap& eventMap;
    juce::Component& parent;
    GUIController::Listener* listener;

    juce::CriticalSection lock;
    juce::OwnedArray<GUIController> controls;
    SkinImage background;

    JUCE_DECLARE_NON_COPYABLE (SkinContext)
};

/**
    Builds controls from a skin document.

    The root element PluginEditor names the background image (attribute
    background, default "Background.png"); each child element is one control.
    Element and attribute names are matched without regard to case; unknown
    elements, comments and text are skipped silently.

    Each control is inserted into the parent at child position 1: above the
    parent's first child (the editor's status bar) and beneath everything
    added to the parent before loading, so that where two skin controls
    overlap, the one earlier in the document lies on top.
*/
class SkinLoader
{
public:
    enum class Outcome
    {
        notParsed,    ///< no resource, or its text is no XML document: the editor lays out default controls
        wrongRoot,    ///< the root is not PluginEditor: the skin counts as loaded, nothing was built
        built         ///< the background and the controls were read
    };

    /** Reads the embedded skin document (e.g. "skin.xml") and loads it. */
    static Outcome loadFromResource (const juce::String& fileName, SkinContext& context);

    /** Parses the text and loads it. */
    static Outcome loadFromText (const juce::String& skinText, SkinContext& context);

    /** Loads a parsed skin: the background, then one control per known child
        element in document order, then the context's listener on every control. */
    static Outcome load (const juce::XmlElement& skin, SkinContext& context);

    /** A new, empty control for the element's name, with the element's name
        attribute as component name; nullptr for elements the loader does not
        build. Inside a panel five more element names are recognised
        (NoteDisplay, MusicKeyboard, PitchBender, ModWheel, ParameterModulator);
        like NumericDisplay and PatternNumberDisplay they are accepted but not
        built in this product, so they are skipped as well. */
    static std::unique_ptr<GUIController> createControlForElement (const juce::XmlElement& element,
                                                                   bool insidePanel = false);

    /** The kinds of element the loader recognises. */
    enum class ElementKind
    {
        unknown,
        knob, switchControl, animation, button, toggleButton, multiStateButton,
        display, displayFloat, rocker, panel,
        numericDisplay, patternNumberDisplay,
        noteDisplay, musicKeyboard, pitchBender, modWheel, parameterModulator
    };

    /** Which kind an element name is, at the top level or inside a panel. */
    static ElementKind classifyElement (const juce::String& tagName, bool insidePanel);

    /** The child position every top-level control is inserted at. */
    static constexpr int insertionIndex = 1;
};
