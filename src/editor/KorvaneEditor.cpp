#include "editor/KorvaneEditor.h"

#include "plugin/Korvane.h"

KorvaneEditor::KorvaneEditor (Korvane& owner)
    : HalcyonEffectEditor (owner)
{
}

KorvaneEditor::~KorvaneEditor() = default;
