#include "skin/ToggleDragGroups.h"

#include "skin/GFXToggleButton.h"

#include <memory>
#include <mutex>

namespace
{
    std::mutex& registryLock()
    {
        static std::mutex lock;
        return lock;
    }

    // Owns the registry until the library unloads; the pointer is cleared then,
    // so toggles destroyed even later find no registry rather than a dead one.
    struct RegistryHolder
    {
        GFXToggleButtonDragGroup* registry = nullptr;

        // Constructs the lock first, so that it outlives this holder.
        RegistryHolder()  { registryLock(); }

        ~RegistryHolder()
        {
            const std::lock_guard<std::mutex> guard (registryLock());
            delete registry;
            registry = nullptr;
        }
    };

    RegistryHolder registryHolder;
}

GFXToggleButtonDragGroup& GFXToggleButtonDragGroup::getInstance()
{
    const std::lock_guard<std::mutex> guard (registryLock());

    if (registryHolder.registry == nullptr)
        registryHolder.registry = new GFXToggleButtonDragGroup();

    return *registryHolder.registry;
}

GFXToggleButtonDragGroup* GFXToggleButtonDragGroup::getInstanceWithoutCreating()
{
    const std::lock_guard<std::mutex> guard (registryLock());
    return registryHolder.registry;
}

void GFXToggleButtonDragGroup::join (const juce::String& groupName, GFXToggleButton* toggle)
{
    if (toggle != nullptr)
        groups[groupName].members.addIfNotAlreadyThere (toggle);
}

void GFXToggleButtonDragGroup::leave (const juce::String& groupName, GFXToggleButton* toggle)
{
    if (auto* group = findGroup (groupName))
        group->members.removeAllInstancesOf (toggle);
}

GFXToggleButtonDragGroup::Group* GFXToggleButtonDragGroup::findGroup (const juce::String& groupName)
{
    const auto found = groups.find (groupName);
    return found != groups.end() ? &found->second : nullptr;
}

void GFXToggleButtonDragGroup::setPressPosition (const juce::String& groupName, int screenX, int screenY)
{
    if (auto* group = findGroup (groupName))
    {
        group->pressX = screenX;
        group->pressY = screenY;
    }
}

void GFXToggleButtonDragGroup::setDragState (const juce::String& groupName, bool state)
{
    if (auto* group = findGroup (groupName))
        group->dragState = state;
}

void GFXToggleButtonDragGroup::applyDrag (const juce::String& groupName, int screenX)
{
    auto* group = findGroup (groupName);

    if (group == nullptr)
        return;

    const auto rangeStart = juce::jmin (screenX, group->pressX);
    const auto rangeEnd   = juce::jmax (screenX, group->pressX);
    const auto inRange = [rangeStart, rangeEnd] (int x) { return x >= rangeStart && x <= rangeEnd; };

    // Setting a member clicks it in effect, which stores the drag state again;
    // the size is re-read in case a listener changes the group meanwhile.
    for (int i = 0; i < group->members.size(); ++i)
    {
        auto* member = group->members.getUnchecked (i);
        const auto memberLeft = member->getScreenX();
        const auto memberRight = memberLeft + member->getWidth() - 1;

        if (inRange (memberLeft) || inRange (memberRight))
            member->setToggleState (group->dragState, juce::sendNotification);
    }
}
