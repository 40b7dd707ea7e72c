#include "skin/SkinLoader.h"

#include "parameters/ParameterManager.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/EventsMap.h"
#include "plugin/XmlNames.h"
#include "skin/GFXAnimation.h"
#include "skin/GFXButton.h"
#include "skin/GFXDisplay.h"
#include "skin/GFXDisplayFloat.h"
#include "skin/GFXKnob.h"
#include "skin/GFXMultiStateButton.h"
#include "skin/GFXPanel.h"
#include "skin/GFXRocker.h"
#include "skin/GFXSwitch.h"
#include "skin/GFXToggleButton.h"

//==============================================================================
SkinContext::SkinContext (ParameterManager& parameterSetToUse,
                          const EventsMap& eventMapToUse,
                          juce::Component& parentToUse,
                          GUIController::Listener* listenerToUse)
    : parameterSet (parameterSetToUse),
      eventMap (eventMapToUse),
      parent (parentToUse),
      listener (listenerToUse)
{
}

SkinContext::~SkinContext()
{
    clearControls();
}

GUIController* SkinContext::addControl (std::unique_ptr<GUIController> control)
{
    const juce::ScopedLock sl (lock);
    return controls.add (control.release());
}

void SkinContext::clearControls()
{
    const juce::ScopedLock sl (lock);
    controls.clear();
}

int SkinContext::getNumControls() const
{
    const juce::ScopedLock sl (lock);
    return controls.size();
}

GUIController* SkinContext::getControl (int index) const
{
    const juce::ScopedLock sl (lock);
    return controls[index];
}

GUIController* SkinContext::findControl (const juce::String& componentName) const
{
    const juce::ScopedLock sl (lock);

    for (auto* control : controls)
        if (auto* component = control->getComponent())
            if (component->getName() == componentName)
                return control;

    return nullptr;
}

void SkinContext::addListenerToAll (GUIController::Listener* listenerToAdd)
{
    const juce::ScopedLock sl (lock);

    for (auto* control : controls)
        control->addListener (listenerToAdd);
}

//==============================================================================
SkinLoader::Outcome SkinLoader::loadFromResource (const juce::String& fileName, SkinContext& context)
{
    return loadFromText (loadResourceString (fileName), context);
}

SkinLoader::Outcome SkinLoader::loadFromText (const juce::String& skinText, SkinContext& context)
{
    if (skinText.isEmpty())
        return Outcome::notParsed;

    const auto root = XmlNames::parseText (skinText);

    if (root == nullptr)
        return Outcome::notParsed;

    return load (*root, context);
}

SkinLoader::Outcome SkinLoader::load (const juce::XmlElement& skin, SkinContext& context)
{
    if (! XmlNames::hasTag (skin, "PluginEditor"))
        return Outcome::wrongRoot;

    const auto background = SkinImage::loadResource (SkinXml::readString (skin, "background", "Background.png"));

    if (background.isValid())
        context.setBackground (background);

    auto& parent = context.getParent();

    for (auto* element : skin.getChildIterator())
    {
        auto created = createControlForElement (*element, false);

        if (created == nullptr)
            continue;

        auto* control = context.addControl (std::move (created));
        control->loadFromXml (*element, context.getParameterSet(), context.getEventMap(), &parent);

        if (auto* component = control->getComponent())
        {
            component->setVisible (true);
            parent.addChildComponent (component, insertionIndex);
        }
    }

    context.addListenerToAll (context.getListener());
    return Outcome::built;
}

//==============================================================================
SkinLoader::ElementKind SkinLoader::classifyElement (const juce::String& tagName, bool insidePanel)
{
    struct Entry
    {
        const char* tag;
        ElementKind kind;
        bool panelOnly;
    };

    // In the order the names are tested.
    static const Entry entries[] =
    {
        { "Knob",                 ElementKind::knob,                 false },
        { "Switch",               ElementKind::switchControl,        false },
        { "Animation",            ElementKind::animation,            false },
        { "Button",               ElementKind::button,               false },
        { "ToggleButton",         ElementKind::toggleButton,         false },
        { "MultiStateButton",     ElementKind::multiStateButton,     false },
        { "Display",              ElementKind::display,              false },
        { "DisplayFloat",         ElementKind::displayFloat,         false },
        { "Rocker",               ElementKind::rocker,               false },
        { "Panel",                ElementKind::panel,                false },
        { "NumericDisplay",       ElementKind::numericDisplay,       false },
        { "PatternNumberDisplay", ElementKind::patternNumberDisplay, false },
        { "NoteDisplay",          ElementKind::noteDisplay,          true },
        { "MusicKeyboard",        ElementKind::musicKeyboard,        true },
        { "PitchBender",          ElementKind::pitchBender,          true },
        { "ModWheel",             ElementKind::modWheel,             true },
        { "ParameterModulator",   ElementKind::parameterModulator,   true },
    };

    for (const auto& entry : entries)
        if (tagName.equalsIgnoreCase (entry.tag))
            return (entry.panelOnly && ! insidePanel) ? ElementKind::unknown : entry.kind;

    return ElementKind::unknown;
}

namespace
{
    /*  The push buttons, toggles, multi-state buttons and rockers. Kept apart
        from the other kinds because their classes live in their own sources
        (cmake/SkinButtonSources.cmake). */
    std::unique_ptr<GUIController> createButtonControl (SkinLoader::ElementKind kind, const juce::String& name)
    {
        using Kind = SkinLoader::ElementKind;

        if (kind == Kind::button)           return std::make_unique<GFXButton> (name);
        if (kind == Kind::toggleButton)     return std::make_unique<GFXToggleButton> (name);
        if (kind == Kind::multiStateButton) return std::make_unique<GFXMultiStateButton> (name);
        if (kind == Kind::rocker)           return std::make_unique<GFXRocker> (name);

        return nullptr;
    }
}

std::unique_ptr<GUIController> SkinLoader::createControlForElement (const juce::XmlElement& element, bool insidePanel)
{
    const auto kind = classifyElement (element.getTagName(), insidePanel);
    const auto name = SkinXml::readString (element, "name");

    switch (kind)
    {
        case ElementKind::knob:          return std::make_unique<GFXKnob> (name);
        case ElementKind::switchControl: return std::make_unique<GFXSwitch> (name);
        case ElementKind::animation:     return std::make_unique<GFXAnimation> (name);
        case ElementKind::display:       return std::make_unique<GFXDisplay> (name);
        case ElementKind::displayFloat:  return std::make_unique<GFXDisplayFloat> (name);
        case ElementKind::panel:         return std::make_unique<GFXPanel> (name);

        case ElementKind::button:
        case ElementKind::toggleButton:
        case ElementKind::multiStateButton:
        case ElementKind::rocker:
            return createButtonControl (kind, name);

        // Accepted by the format but not built by this product: skipped like
        // unknown elements.
        case ElementKind::numericDisplay:
        case ElementKind::patternNumberDisplay:
        case ElementKind::noteDisplay:
        case ElementKind::musicKeyboard:
        case ElementKind::pitchBender:
        case ElementKind::modWheel:
        case ElementKind::parameterModulator:
        case ElementKind::unknown:
            break;
    }

    return nullptr;
}
