#pragma once

/*  The small interfaces through which the preset layer and the DSP core talk,
    kept apart from both so that the core needs no plug-in class.
*/

/** Makes a selected preset take effect later, silently (the DSP core fades
    out, has the preset applied at silence and fades in again). */
class PresetChanger
{
public:
    virtual ~PresetChanger() = default;
    virtual void changePreset() = 0;
};

/** Told after a preset was applied to the live parameters. */
class PresetManagerListener
{
public:
    virtual ~PresetManagerListener() = default;
    virtual void presetChanged() = 0;
};

/** Pushes the current preset's values into the live parameters. */
class PresetApplier
{
public:
    virtual ~PresetApplier() = default;
    virtual void applyCurrentPreset() = 0;
};
