#include "formats/Vst3FactoryBoundary.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <new>
#include <stdexcept>

using namespace Steinberg;

namespace
{
    /*  A factory that fails the way a plug-in can while it is created: it
        throws from createInstance. Counts its references. */
    class ThrowingFactory : public IPluginFactory3
    {
    public:
        enum class Throw { badAlloc, runtimeError, nothing };
        Throw throws = Throw::badAlloc;
        int references = 1;
        bool* destroyed = nullptr;

        ~ThrowingFactory() { if (destroyed != nullptr) *destroyed = true; }

        tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
        {
            if (FUnknownPrivate::iidEqual (iid, IPluginFactory2::iid) || FUnknownPrivate::iidEqual (iid, IPluginFactory3::iid))
            {
                ++references;
                *obj = this;
                return kResultOk;
            }

            *obj = nullptr;
            return kNoInterface;
        }

        uint32 PLUGIN_API addRef() override { return (uint32) ++references; }
        uint32 PLUGIN_API release() override
        {
            const auto left = --references;
            if (left == 0)
                delete this;
            return (uint32) left;
        }

        tresult PLUGIN_API getFactoryInfo (PFactoryInfo*) override { throw std::runtime_error ("no info"); }
        int32 PLUGIN_API countClasses() override { return 1; }
        tresult PLUGIN_API getClassInfo (int32, PClassInfo*) override { return kResultOk; }
        tresult PLUGIN_API getClassInfo2 (int32, PClassInfo2*) override { return kResultOk; }
        tresult PLUGIN_API getClassInfoUnicode (int32, PClassInfoW*) override { return kResultOk; }
        tresult PLUGIN_API setHostContext (FUnknown*) override { return kResultOk; }

        tresult PLUGIN_API createInstance (FIDString, FIDString, void** obj) override
        {
            *obj = this;   // half-made, as an object can be when construction fails
            if (throws == Throw::badAlloc)
                throw std::bad_alloc();
            if (throws == Throw::runtimeError)
                throw std::runtime_error ("construction failed");
            *obj = nullptr;
            return kResultFalse;
        }
    };

    using GetFactory = IPluginFactory* (PLUGIN_API*)();
    using ModuleCall = bool (*)(void*);
}

TEST (Vst3FactoryBoundary, ExceptionsBecomeResultsAndNoObject)
{
    bool destroyed = false;
    auto* inner = new ThrowingFactory();
    inner->destroyed = &destroyed;
    auto* factory = new Vst3FactoryBoundary (inner);

    void* obj = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (factory->createInstance ("cid", "iid", &obj), kOutOfMemory);
    EXPECT_EQ (obj, nullptr);

    inner->throws = ThrowingFactory::Throw::runtimeError;
    obj = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (factory->createInstance ("cid", "iid", &obj), kInternalError);
    EXPECT_EQ (obj, nullptr);

    inner->throws = ThrowingFactory::Throw::nothing;
    EXPECT_EQ (factory->createInstance ("cid", "iid", &obj), kResultFalse);
    EXPECT_EQ (factory->createInstance ("cid", "iid", nullptr), kInvalidArgument);

    PFactoryInfo info;
    EXPECT_EQ (factory->getFactoryInfo (&info), kInternalError);

    // Indices the inner factory never sees.
    PClassInfo2 info2;
    EXPECT_EQ (factory->getClassInfo2 (1, &info2), kInvalidArgument);
    EXPECT_EQ (factory->getClassInfo2 (-1, &info2), kInvalidArgument);
    EXPECT_EQ (factory->getClassInfo2 (0, &info2), kResultOk);

    // The last release lets the inner factory go, with all it was given.
    void* asFactory3 = nullptr;
    ASSERT_EQ (factory->queryInterface (IPluginFactory3::iid, &asFactory3), kResultOk);
    EXPECT_EQ (asFactory3, static_cast<IPluginFactory3*> (factory));
    EXPECT_EQ (factory->release(), 1u);
    EXPECT_FALSE (destroyed);
    EXPECT_EQ (factory->release(), 0u);
    EXPECT_TRUE (destroyed);
}

TEST (Vst3FactoryBoundary, TheBuiltModuleHandsOutItsFactoryBehindTheBoundary)
{
    auto* module = dlopen (KORVANE_VST3_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (module, nullptr) << dlerror();

    auto moduleEntry = reinterpret_cast<ModuleCall> (dlsym (module, "ModuleEntry"));
    auto moduleExit = reinterpret_cast<bool (*)()> (dlsym (module, "ModuleExit"));
    auto getFactory = reinterpret_cast<GetFactory> (dlsym (module, "GetPluginFactory"));
    ASSERT_NE (moduleEntry, nullptr);
    ASSERT_NE (moduleExit, nullptr);
    ASSERT_NE (getFactory, nullptr);
    ASSERT_TRUE (moduleEntry (module));

    auto* factory = getFactory();
    ASSERT_NE (factory, nullptr);
    EXPECT_EQ (getFactory(), factory);   // one factory, counted

    EXPECT_EQ (factory->countClasses(), 2);
    PClassInfo info {};
    ASSERT_EQ (factory->getClassInfo (0, &info), kResultOk);
    EXPECT_STREQ (info.name, "Korvane");
    EXPECT_STREQ (info.category, "Audio Module Class");

    // JUCE's factory would read beyond its class list for these.
    EXPECT_EQ (factory->getClassInfo (2, &info), kInvalidArgument);
    EXPECT_EQ (factory->getClassInfo (-1, &info), kInvalidArgument);

    void* factory3 = nullptr;
    ASSERT_EQ (factory->queryInterface (IPluginFactory3::iid, &factory3), kResultOk);
    PClassInfoW infoW {};
    EXPECT_EQ (static_cast<IPluginFactory3*> (factory3)->getClassInfoUnicode (1000, &infoW), kInvalidArgument);
    static_cast<IPluginFactory3*> (factory3)->release();

    // An unknown class: no object, a result.
    const char unknown[16] {};
    void* obj = reinterpret_cast<void*> (0x1);
    EXPECT_NE (factory->createInstance (unknown, IPluginFactory::iid, &obj), kResultOk);
    EXPECT_EQ (obj, nullptr);

    EXPECT_EQ (factory->release(), 1u);
    EXPECT_EQ (factory->release(), 0u);
    EXPECT_TRUE (moduleExit());
    dlclose (module);
}
