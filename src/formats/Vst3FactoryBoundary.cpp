#include "formats/Vst3FactoryBoundary.h"

#include <mutex>
#include <new>

using namespace Steinberg;

namespace
{
    std::mutex sharedLock;
    Vst3FactoryBoundary* sharedFactory = nullptr;

    /** Runs a call on JUCE's factory; an exception becomes a result code. */
    template <typename Call>
    tresult guarded (Call&& call) noexcept
    {
        try
        {
            return call();
        }
        catch (const std::bad_alloc&)
        {
            return kOutOfMemory;
        }
        catch (...)
        {
            return kInternalError;
        }
    }
}

IPluginFactory* Vst3FactoryBoundary::share (MakeFactory makeInner) noexcept
{
    const std::lock_guard<std::mutex> lock (sharedLock);

    if (sharedFactory != nullptr)
    {
        sharedFactory->addRef();
        return sharedFactory;
    }

    try
    {
        if (auto* inner = makeInner())
        {
            sharedFactory = new Vst3FactoryBoundary (inner);
            return sharedFactory;
        }
    }
    catch (...)
    {
    }

    return nullptr;
}

Vst3FactoryBoundary::Vst3FactoryBoundary (IPluginFactory* innerToUse) noexcept
    : inner (innerToUse)
{
    void* found = nullptr;

    if (inner->queryInterface (IPluginFactory2::iid, &found) == kResultOk)
        inner2 = static_cast<IPluginFactory2*> (found);

    found = nullptr;

    if (inner->queryInterface (IPluginFactory3::iid, &found) == kResultOk)
        inner3 = static_cast<IPluginFactory3*> (found);
}

Vst3FactoryBoundary::~Vst3FactoryBoundary()
{
    if (inner3 != nullptr)
        inner3->release();
    if (inner2 != nullptr)
        inner2->release();

    inner->release();
}

tresult PLUGIN_API Vst3FactoryBoundary::queryInterface (const TUID iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;

    // Only what JUCE's factory itself offers.
    const auto offers = FUnknownPrivate::iidEqual (iid, FUnknown::iid)
                     || FUnknownPrivate::iidEqual (iid, IPluginFactory::iid)
                     || (inner2 != nullptr && FUnknownPrivate::iidEqual (iid, IPluginFactory2::iid))
                     || (inner3 != nullptr && FUnknownPrivate::iidEqual (iid, IPluginFactory3::iid));

    if (! offers)
    {
        *obj = nullptr;
        return kNoInterface;
    }

    addRef();
    *obj = this;
    return kResultOk;
}

uint32 PLUGIN_API Vst3FactoryBoundary::addRef()
{
    return ++references;
}

uint32 PLUGIN_API Vst3FactoryBoundary::release()
{
    // The shared pointer is cleared under the lock, so share() never hands
    // out a factory that is being deleted.
    const std::lock_guard<std::mutex> lock (sharedLock);
    const auto left = --references;

    if (left == 0)
    {
        if (sharedFactory == this)
            sharedFactory = nullptr;

        delete this;
    }

    return left;
}

tresult PLUGIN_API Vst3FactoryBoundary::getFactoryInfo (PFactoryInfo* info)
{
    return guarded ([&] { return inner->getFactoryInfo (info); });
}

int32 PLUGIN_API Vst3FactoryBoundary::countClasses()
{
    try
    {
        return inner->countClasses();
    }
    catch (...)
    {
        return 0;
    }
}

tresult PLUGIN_API Vst3FactoryBoundary::getClassInfo (int32 index, PClassInfo* info)
{
    // JUCE indexes its class list without a bounds check.
    if (index < 0 || index >= countClasses())
        return kInvalidArgument;

    return guarded ([&] { return inner->getClassInfo (index, info); });
}

tresult PLUGIN_API Vst3FactoryBoundary::createInstance (FIDString cid, FIDString iid, void** obj)
{
    if (obj == nullptr)
        return kInvalidArgument;

    *obj = nullptr;
    const auto result = guarded ([&] { return inner->createInstance (cid, iid, obj); });

    if (result != kResultOk)
        *obj = nullptr;

    return result;
}

tresult PLUGIN_API Vst3FactoryBoundary::getClassInfo2 (int32 index, PClassInfo2* info)
{
    if (inner2 == nullptr)
        return kNotImplemented;
    if (index < 0 || index >= countClasses())
        return kInvalidArgument;

    return guarded ([&] { return inner2->getClassInfo2 (index, info); });
}

tresult PLUGIN_API Vst3FactoryBoundary::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
    if (inner3 == nullptr)
        return kNotImplemented;
    if (index < 0 || index >= countClasses())
        return kInvalidArgument;

    return guarded ([&] { return inner3->getClassInfoUnicode (index, info); });
}

tresult PLUGIN_API Vst3FactoryBoundary::setHostContext (FUnknown* context)
{
    if (inner3 == nullptr)
        return kNotImplemented;

    return guarded ([&] { return inner3->setHostContext (context); });
}
