#include "skin/GFXPanel.h"

#include "skin/SkinLoader.h"

GFXPanel::GFXPanel (const juce::String& controlName)
    : juce::Component (controlName)
{
    setInterceptsMouseClicks (false, true);
}

GFXPanel::~GFXPanel()
{
    const juce::ScopedLock sl (lock);

    for (auto* component : childComponents)
        removeChildComponent (component);

    childComponents.clear();
    childControllers.clear();
}

void GFXPanel::loadFromXml (const juce::XmlElement& element,
                            ParameterManager& parameterSet,
                            const EventsMap& eventMap,
                            juce::Component* editor)
{
    BaseGFXController::loadFromXml (element, parameterSet, eventMap, editor);

    if (const auto* gfx = SkinXml::findChild (element, "gfx"))
        transparent = SkinXml::readBool (*gfx, "transparent", false);

    if (const auto* controls = SkinXml::findChild (element, "controls"))
    {
        const auto offsetX = SkinXml::readInt (*controls, "ofsX");
        const auto offsetY = SkinXml::readInt (*controls, "ofsY");

        for (auto* child : controls->getChildIterator())
        {
            auto controller = SkinLoader::createControlForElement (*child, true);

            if (controller == nullptr)
                continue;

            auto* raw = controller.get();

            {
                const juce::ScopedLock sl (lock);
                childControllers.add (controller.release());
            }

            raw->loadFromXml (*child, parameterSet, eventMap, editor);

            if (auto* component = raw->getComponent())
            {
                const juce::ScopedLock sl (lock);
                childComponents.add (component);
                addAndMakeVisible (component);
            }
        }

        for (int i = 0; i < getNumChildComponents(); ++i)
        {
            auto* component = getChildComponent (i);
            component->setTopLeftPosition (component->getPosition().translated (offsetX, offsetY));
        }
    }

    applyBoundsToComponent();
    repaint();
}

void GFXPanel::addListener (Listener* listener)
{
    BaseGFXController::addListener (listener);

    const juce::ScopedLock sl (lock);

    for (auto* controller : childControllers)
        controller->addListener (listener);
}

void GFXPanel::addChildController (std::unique_ptr<GUIController> controller)
{
    if (controller == nullptr)
        return;

    auto* component = controller->getComponent();

    const juce::ScopedLock sl (lock);
    childControllers.add (controller.release());

    if (component != nullptr)
    {
        childComponents.add (component);
        addAndMakeVisible (component);
    }
}

int GFXPanel::getNumChildControllers() const
{
    const juce::ScopedLock sl (lock);
    return childControllers.size();
}

GUIController* GFXPanel::getChildController (int index) const
{
    const juce::ScopedLock sl (lock);
    return childControllers[index];
}

void GFXPanel::setTransparent (bool shouldBeTransparent)
{
    transparent = shouldBeTransparent;
    repaint();
}

void GFXPanel::paint (juce::Graphics& g)
{
    if (transparent)
        return;

    if (hasFilmStrip())
    {
        drawFrame (g, 0);
        return;
    }

    g.setColour (juce::Colour::greyLevel (0.9f));
    g.fillRect (getLocalBounds());
}
