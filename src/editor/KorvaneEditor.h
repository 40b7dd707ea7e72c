#pragma once

#include "editor/HalcyonEffectEditor.h"

class Korvane;

/** The product's editor: the effect family's, built from Korvane's skin. */
class KorvaneEditor : public HalcyonEffectEditor
{
public:
    explicit KorvaneEditor (Korvane& processor);
    ~KorvaneEditor() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KorvaneEditor)
};
