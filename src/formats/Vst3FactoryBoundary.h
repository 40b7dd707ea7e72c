#pragma once

#include <pluginterfaces/base/ipluginbase.h>

#include <atomic>

/*  The VST3 factory a host is given: it stands in front of JUCE's and
    passes every call on, so that no exception reaches the host. A
    plug-in that cannot be created (out of memory, say) is a failed
    createInstance with no object, never an exception through the host's
    stack frames.

    Counted like any VST3 object: the last release lets JUCE's factory go
    and deletes this one.
*/
class Vst3FactoryBoundary : public Steinberg::IPluginFactory3
{
public:
    using MakeFactory = Steinberg::IPluginFactory* (*)();

    /** The module's one factory, made on first use (with its reference for
        the caller) from the factory `makeInner` returns, or nullptr when that
        fails. Later calls add a reference to the same one. */
    static Steinberg::IPluginFactory* share (MakeFactory makeInner) noexcept;

    /** Takes over one reference to `inner`. */
    explicit Vst3FactoryBoundary (Steinberg::IPluginFactory* inner) noexcept;

    Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override;
    Steinberg::uint32 PLUGIN_API release() override;

    Steinberg::tresult PLUGIN_API getFactoryInfo (Steinberg::PFactoryInfo* info) override;
    Steinberg::int32 PLUGIN_API countClasses() override;
    Steinberg::tresult PLUGIN_API getClassInfo (Steinberg::int32 index, Steinberg::PClassInfo* info) override;
    Steinberg::tresult PLUGIN_API createInstance (Steinberg::FIDString cid, Steinberg::FIDString iid, void** obj) override;
    Steinberg::tresult PLUGIN_API getClassInfo2 (Steinberg::int32 index, Steinberg::PClassInfo2* info) override;
    Steinberg::tresult PLUGIN_API getClassInfoUnicode (Steinberg::int32 index, Steinberg::PClassInfoW* info) override;
    Steinberg::tresult PLUGIN_API setHostContext (Steinberg::FUnknown* context) override;

private:
    ~Vst3FactoryBoundary();

    Steinberg::IPluginFactory* const inner;
    Steinberg::IPluginFactory2* inner2 = nullptr;
    Steinberg::IPluginFactory3* inner3 = nullptr;
    std::atomic<Steinberg::uint32> references { 1 };
};
