#include "midi/MidiControl.h"

#include "parameters/ParameterManager.h"
#include "plugin/XmlNames.h"

#include <utility>

namespace
{
    // value / 127 as the single-precision product: 0 gives 0 and 127 exactly 1.
    constexpr float controllerValueScale = 0.007874016f;
}

MidiControl::MidiControl (ParameterManager& parameterSet)
    : parameters (parameterSet)
{
}

MidiControl::~MidiControl()
{
    cancelPendingUpdate();
}

//==============================================================================
void MidiControl::setPluginName (const juce::String& name)
{
    const juce::ScopedLock sl (lock);
    productName = name;
}

juce::String MidiControl::getPluginName() const
{
    const juce::ScopedLock sl (lock);
    return productName;
}

void MidiControl::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void MidiControl::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void MidiControl::callListeners (void (Listener::*callback) (MidiControl&))
{
    // Last registered first; a listener may remove itself or others meanwhile.
    for (int i = listeners.size(); --i >= 0;)
    {
        if (auto* listener = listeners[i])
            (listener->*callback) (*this);

        i = juce::jmin (i, listeners.size());
    }
}

void MidiControl::handleAsyncUpdate()
{
    bool mapChanged, learnChanged, controllerMoved;

    {
        // Taken and cleared before the calls, so that a change made while the
        // listeners run is announced by the next update instead of being lost.
        const juce::ScopedLock sl (lock);
        mapChanged = std::exchange (mapChangedPending, false);
        learnChanged = std::exchange (learnChangedPending, false);
        controllerMoved = std::exchange (controllerMovedPending, false);
    }

    // The listeners run without the lock, so the audio thread never waits for
    // the editor's repaints.
    if (mapChanged)
        callListeners (&Listener::midiMapChanged);

    if (learnChanged)
        callListeners (&Listener::midiLearnChanged);

    if (controllerMoved)
        callListeners (&Listener::midiControllerMoved);
}

//==============================================================================
int MidiControl::indexOfParameter (const Parameter* parameter) const
{
    if (parameter == nullptr)
        return -1;

    const juce::ScopedLock sl (lock);

    for (int controller = 0; controller < numControllers; ++controller)
        if (controllerTable[(size_t) controller] == parameter)
            return controller;

    return -1;
}

Parameter* MidiControl::getParameterForController (int controller) const
{
    if (! isValidController (controller))
        return nullptr;

    const juce::ScopedLock sl (lock);
    return controllerTable[(size_t) controller];
}

int MidiControl::getAssignmentCount() const
{
    const juce::ScopedLock sl (lock);
    return assignmentCount;
}

void MidiControl::assignController (int controller, Parameter* parameter, bool notify)
{
    const juce::ScopedLock sl (lock);
    assignLocked (controller, parameter, notify);
}

void MidiControl::assignLocked (int controller, Parameter* parameter, bool notify)
{
    if (! isValidController (controller))
        return;

    // Controllers drive automatable parameters only; "Quality" and the preset
    // parameters stay out of reach of MIDI.
    if (parameter != nullptr && ! parameter->isAutomatable())
        return;

    auto& entry = controllerTable[(size_t) controller];

    if (entry == parameter)
        return;

    // A parameter is driven by one controller at most: it leaves its old one.
    const auto previous = indexOfParameter (parameter);

    if (previous >= 0 && previous != controller)
    {
        controllerTable[(size_t) previous] = nullptr;
        --assignmentCount;
    }

    assignmentCount += (parameter != nullptr ? 1 : 0) - (entry != nullptr ? 1 : 0);
    entry = parameter;

    if (notify)
    {
        mapChangedPending = true;
        triggerAsyncUpdate();
    }
}

void MidiControl::unassignController (int controller)
{
    if (! isValidController (controller))
        return;

    const juce::ScopedLock sl (lock);
    auto& entry = controllerTable[(size_t) controller];

    if (entry != nullptr)
    {
        entry = nullptr;
        --assignmentCount;
        mapChangedPending = true;
        triggerAsyncUpdate();
    }

    if (learnMode)
    {
        clearLearnCandidates();
        tryCompleteLearn();
    }
}

void MidiControl::clearAll()
{
    const juce::ScopedLock sl (lock);
    controllerTable.fill (nullptr);
    assignmentCount = 0;
    mapChangedPending = true;
    triggerAsyncUpdate();
}

//==============================================================================
void MidiControl::processMidiMessage (const juce::MidiMessage& message)
{
    processMidiMessage (message.getRawData(), message.getRawDataSize());
}

void MidiControl::processMidiMessage (const juce::uint8* data, int size)
{
    // Control Change on any of the 16 channels; everything else, program
    // changes included, is someone else's business.
    if (data == nullptr || size < 3 || (data[0] & 0xf0) != 0xb0)
        return;

    const int controller = data[1] & 0x7f;
    const float value = (float) (data[2] & 0x7f) * controllerValueScale;

    const juce::ScopedLock sl (lock);

    if (learnMode)
        learnControllerMoved (controller);

    if (auto* parameter = controllerTable[(size_t) controller])
    {
        parameter->setNormalisedValue (value, true);
        lastMovedParameter = parameter;
        controllerMovedPending = true;
        triggerAsyncUpdate();
    }
}

Parameter* MidiControl::getLastMovedParameter() const
{
    const juce::ScopedLock sl (lock);
    return lastMovedParameter;
}

//==============================================================================
bool MidiControl::isMapElement (const juce::XmlElement& element) const
{
    return XmlNames::hasTag (element, "MidiControlMap") || XmlNames::hasTag (element, "MidiCCMap");
}

bool MidiControl::isCompatibleMap (const juce::XmlElement& element) const
{
    if (! isMapElement (element))
        return false;

    const auto name = getPluginName();

    if (name.isEmpty())
        return true;

    return XmlNames::attributeText (element, "name").equalsIgnoreCase (name)
        || XmlNames::attributeText (element, "application").equalsIgnoreCase (name);
}

void MidiControl::loadMapXml (const juce::XmlElement& element)
{
    setLearnMode (false);

    const juce::ScopedLock sl (lock);
    controllerTable.fill (nullptr);
    assignmentCount = 0;

    if (isCompatibleMap (element))
    {
        for (auto* child : element.getChildIterator())
        {
            if (! XmlNames::hasTag (*child, "assign"))
                continue;

            auto* parameter = parameters.getParameterByName (XmlNames::attributeText (*child, "param"));

            if (parameter == nullptr || ! parameter->isAutomatable())
                continue;

            // A later entry for the same controller or parameter wins, as
            // assigning one after the other would have it.
            assignLocked (XmlNames::attributeText (*child, "CC").getIntValue(), parameter, false);
        }
    }

    // Also after an incompatible element: the map has been emptied.
    mapChangedPending = true;
    triggerAsyncUpdate();
}

std::unique_ptr<juce::XmlElement> MidiControl::createMapXml() const
{
    auto element = std::make_unique<juce::XmlElement> ("MidiControlMap");

    const juce::ScopedLock sl (lock);
    element->setAttribute ("name", productName);

    for (int controller = 0; controller < numControllers; ++controller)
    {
        if (auto* parameter = controllerTable[(size_t) controller])
        {
            auto* assign = element->createNewChildElement ("assign");
            assign->setAttribute ("CC", controller);
            assign->setAttribute ("param", parameter->getName());
        }
    }

    return element;
}

void MidiControl::loadMapFile (const juce::File& file)
{
    if (auto root = XmlNames::parseFile (file))
        loadMapXml (*root);
}

void MidiControl::saveMapFile (const juce::File& file) const
{
    XmlNames::writeFile (*createMapXml(), file);
}

//==============================================================================
void MidiControl::setUseDefaultMap (bool shouldLoadAtStartUp)
{
    const juce::ScopedLock sl (lock);
    useDefaultMap = shouldLoadAtStartUp;
}

bool MidiControl::getUseDefaultMap() const
{
    const juce::ScopedLock sl (lock);
    return useDefaultMap;
}

void MidiControl::setDefaultMapPath (const juce::String& path)
{
    const juce::ScopedLock sl (lock);
    defaultMapPath = path;
}

juce::String MidiControl::getDefaultMapPath() const
{
    const juce::ScopedLock sl (lock);
    return defaultMapPath;
}

void MidiControl::loadDefaultMapIfWanted()
{
    const auto path = getDefaultMapPath();

    if (getUseDefaultMap() && juce::File::isAbsolutePath (path))
        loadMapFile (juce::File (path));
}

//==============================================================================
void MidiControl::clearLearnCandidates() noexcept
{
    learnParameter = nullptr;
    learnController = -1;
}

void MidiControl::setLearnMode (bool shouldLearn)
{
    {
        const juce::ScopedLock sl (lock);

        if (learnMode == shouldLearn)
            return;

        learnMode = shouldLearn;
        clearLearnCandidates();
    }

    // At once on the message thread: the editor shows the new state before
    // anything else happens. A map load in a state restore may switch learn
    // off on a host's thread; listeners (components) hear of it on the
    // message thread then, through the asynchronous update.
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

    if (messageManager == nullptr || messageManager->isThisTheMessageThread())
    {
        callListeners (&Listener::midiLearnChanged);
        return;
    }

    {
        const juce::ScopedLock sl (lock);
        learnChangedPending = true;
    }

    triggerAsyncUpdate();
}

bool MidiControl::isLearnMode() const
{
    const juce::ScopedLock sl (lock);
    return learnMode;
}

void MidiControl::learnParameterMoved (Parameter* parameter)
{
    if (parameter == nullptr || ! parameter->isAutomatable())
        return;

    const juce::ScopedLock sl (lock);

    if (! learnMode || parameter == learnParameter)
        return;

    // Unless a controller is waiting for a parameter, start over from this
    // one, showing the controller it already has.
    if (learnController < 0 || learnParameter != nullptr)
        learnController = indexOfParameter (parameter);

    learnParameter = parameter;
    tryCompleteLearn();
}

void MidiControl::learnControllerMoved (int controller)
{
    if (! isValidController (controller))
        return;

    const juce::ScopedLock sl (lock);

    if (! learnMode || controller == learnController)
        return;

    // Unless a parameter is waiting for a controller, start over from this
    // one, showing the parameter it already drives.
    if (learnParameter == nullptr || learnController >= 0)
        learnParameter = controllerTable[(size_t) controller];

    learnController = controller;
    tryCompleteLearn();
}

void MidiControl::tryCompleteLearn()
{
    const juce::ScopedLock sl (lock);

    // Learn never takes a controller away from the parameter it drives.
    if (isValidController (learnController) && learnParameter != nullptr
        && controllerTable[(size_t) learnController] == nullptr)
        assignLocked (learnController, learnParameter, true);

    learnChangedPending = true;
    triggerAsyncUpdate();
}

void MidiControl::setLearnCandidates (int controller, Parameter* parameter)
{
    const juce::ScopedLock sl (lock);

    if (! learnMode)
        return;

    learnController = isValidController (controller) ? controller : -1;
    learnParameter = parameter;
    tryCompleteLearn();
}

Parameter* MidiControl::getLearnParameter() const
{
    const juce::ScopedLock sl (lock);
    return learnParameter;
}

int MidiControl::getLearnController() const
{
    const juce::ScopedLock sl (lock);
    return learnController;
}

juce::String MidiControl::getLearnStatusText() const
{
    const juce::ScopedLock sl (lock);

    if (! learnMode)
        return {};

    if (learnController < 0)
        return learnParameter == nullptr
                 ? juce::String ("Waiting for a controller or parameter movement...")
                 : "'" + learnParameter->getName() + "' parameter is free. Waiting for a free controller now...";

    const auto controllerText = "CC# " + juce::String (learnController);

    if (learnParameter == nullptr)
        return controllerText + " is free. Waiting for a parameter now...";

    // Also when the controller drives another parameter and nothing was
    // assigned: the pair is complete and the next movement starts over.
    return controllerText + " is assigned to parameter '" + learnParameter->getName() + "'.";
}
