#include "parameters/ParameterManager.h"
#include "parameters/BoolParameter.h"
#include "parameters/EnumParameter.h"
#include "parameters/FloatParameter.h"
#include "parameters/IntParameter.h"
#include "parameters/NoteParameter.h"
#include "parameters/StringParameter.h"
#include "plugin/EmbeddedResources.h"
#include "plugin/XmlNames.h"

#include <optional>

namespace
{
    using XmlNames::attributeText;
    using XmlNames::findAttribute;

    // A flag is set when its first non-blank character is 1, t, T, y or Y.
    bool readFlag (const juce::String& text)
    {
        const auto first = text.trimStart()[0];
        return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
    }
}

ParameterManager::ParameterManager() = default;

ParameterManager::~ParameterManager()
{
    clear();
}

void ParameterManager::loadFromResource (const juce::String& fileName)
{
    const auto text = loadResourceString (fileName);

    if (text.isEmpty())
        return;

    if (const auto root = XmlNames::parseText (text))
        loadFromXml (*root);
}

void ParameterManager::loadFromXml (const juce::XmlElement& root)
{
    clear();

    if (! root.getTagName().equalsIgnoreCase ("PluginParameters"))
        return;

    for (auto* definition : root.getChildIterator())
        if (definition->getTagName().equalsIgnoreCase ("param"))
            if (auto parameter = createFromDefinition (*definition))
                addParameter (parameter.release());
}

std::unique_ptr<Parameter> ParameterManager::createFromDefinition (const juce::XmlElement& definition)
{
    const auto index = findAttribute (definition, "index");
    const auto identifier = index.has_value() ? index->getIntValue() : -1;
    const auto name = attributeText (definition, "name");

    if (identifier == -1 || name.isEmpty())
        return nullptr;

    const auto value = attributeText (definition, "value");
    const auto type = attributeText (definition, "type", "float");
    std::unique_ptr<Parameter> parameter;

    if (type == "float")
    {
        const auto minimum = attributeText (definition, "min", "0").getFloatValue();
        const auto maximum = attributeText (definition, "max", "1").getFloatValue();
        parameter = std::make_unique<FloatParameter> (identifier, name, minimum, maximum, value.getFloatValue());
    }
    else if (type == "int")
    {
        const auto minimum = attributeText (definition, "min", "0").getIntValue();
        const auto maximum = attributeText (definition, "max", "1").getIntValue();
        parameter = std::make_unique<IntParameter> (identifier, name, minimum, maximum, value.getIntValue());
    }
    else if (type == "string")
    {
        parameter = std::make_unique<StringParameter> (identifier, name, value);
    }
    else if (type == "bool" || type == "state")
    {
        const auto style = type == "bool" ? BoolParameter::trueFalseStyle : BoolParameter::onOffStyle;
        parameter = std::make_unique<BoolParameter> (identifier, name, style);
        parameter->setText (value, false);
    }
    else if (type == "enum")
    {
        parameter = std::make_unique<EnumParameter> (identifier, name, attributeText (definition, "enum"), value);
    }
    else if (type == "note")
    {
        parameter = std::make_unique<NoteParameter> (identifier, name, NoteParameter::parseNoteName (value).value_or (0));
    }
    else
    {
        return nullptr;
    }

    parameter->setAutomatable (readFlag (attributeText (definition, "auto")));
    return parameter;
}

void ParameterManager::clear()
{
    const juce::ScopedWriteLock writeLock (lock);
    byIdentifier.clear();
    byName.clear();
    parameters.clear (true);
}

bool ParameterManager::addParameter (Parameter* parameter)
{
    if (parameter == nullptr)
        return false;

    const juce::ScopedWriteLock writeLock (lock);

    if (parameters.contains (parameter))
        return false;

    if (byIdentifier.contains (parameter->getIdentifier()) || byName.contains (parameter->getName()))
    {
        delete parameter;
        return false;
    }

    parameters.add (parameter);
    byIdentifier.set (parameter->getIdentifier(), parameter);
    byName.set (parameter->getName(), parameter);
    return true;
}

int ParameterManager::getNumParameters() const
{
    const juce::ScopedReadLock readLock (lock);
    return parameters.size();
}

Parameter* ParameterManager::getParameterAt (int index) const
{
    const juce::ScopedReadLock readLock (lock);
    return parameters[index];
}

Parameter* ParameterManager::getParameter (int32_t identifier) const
{
    const juce::ScopedReadLock readLock (lock);
    return byIdentifier[identifier];
}

Parameter* ParameterManager::getParameterByName (const juce::String& name) const
{
    const juce::ScopedReadLock readLock (lock);
    return byName[name];
}

juce::String ParameterManager::getName (int32_t identifier) const
{
    const juce::ScopedReadLock readLock (lock);
    auto* parameter = byIdentifier[identifier];
    return parameter != nullptr ? parameter->getName() : juce::String();
}

float ParameterManager::getValue (int32_t identifier) const
{
    const juce::ScopedReadLock readLock (lock);
    auto* parameter = byIdentifier[identifier];
    return parameter != nullptr ? parameter->getValue() : 0.0f;
}

float ParameterManager::getNormalisedValue (int32_t identifier) const
{
    const juce::ScopedReadLock readLock (lock);
    auto* parameter = byIdentifier[identifier];
    return parameter != nullptr ? parameter->getNormalisedValue() : 0.0f;
}

juce::String ParameterManager::getText (int32_t identifier) const
{
    const juce::ScopedReadLock readLock (lock);
    auto* parameter = byIdentifier[identifier];
    return parameter != nullptr ? parameter->getText() : juce::String();
}

void ParameterManager::setNormalisedValue (int32_t identifier, float value)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[identifier])
        parameter->setNormalisedValue (value, true);
}

void ParameterManager::setCurrentPresetNumber (int32_t number)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[currentPresetNumberIdentifier])
        parameter->setIntValue (number, true);
}

void ParameterManager::setCurrentPresetName (const juce::String& name)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[currentPresetNameIdentifier])
        parameter->setText (name, true);
}

void ParameterManager::addListenerToAll (Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    for (auto* parameter : parameters)
        parameter->addListener (listener);
}

void ParameterManager::addAsyncListenerToAll (Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    for (auto* parameter : parameters)
        parameter->addAsyncListener (listener);
}

void ParameterManager::removeAsyncListenerFromAll (Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    for (auto* parameter : parameters)
        parameter->removeAsyncListener (listener);
}

void ParameterManager::addListenerTo (int32_t identifier, Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[identifier])
        parameter->addListener (listener);
}

void ParameterManager::addAsyncListenerTo (int32_t identifier, Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[identifier])
        parameter->addAsyncListener (listener);
}

void ParameterManager::removeAsyncListenerFrom (int32_t identifier, Parameter::Listener* listener)
{
    const juce::ScopedReadLock readLock (lock);

    if (auto* parameter = byIdentifier[identifier])
        parameter->removeAsyncListener (listener);
}

void ParameterManager::announceAll()
{
    const juce::ScopedReadLock readLock (lock);

    for (auto* parameter : parameters)
        parameter->announce();
}
