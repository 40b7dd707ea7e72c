#include "editor/MidiControlComponent.h"

#include "editor/DefaultLookAndFeel.h"
#include "parameters/Parameter.h"

namespace
{
    constexpr int listGap = 4;
    constexpr int buttonColumnGap = 5;
    constexpr int numControllers = 128;

    const juce::Colour headerColour (0xff6e6e6e);
    const juce::Colour bodyColour (0xffe3e3e3);
    const juce::Colour controllerHeaderColour (0xff5b5b5b);
    const juce::Colour controllerBodyColour (0xffbfbfbf);
    const juce::Colour selectedColour (0xff5b5b5b);
}

//==============================================================================
MidiControlComponent::ListComponent::ListComponent (MidiControlComponent& ownerToTell)
    : juce::Component ("MidiControlList"), owner (ownerToTell)
{
    scrollBar.addListener (this);
    scrollBar.setAutoHide (false);
    addAndMakeVisible (scrollBar);
}

MidiControlComponent::ListComponent::~ListComponent()
{
    scrollBar.removeListener (this);
}

void MidiControlComponent::ListComponent::rebuild (const MidiControl& map)
{
    entries.clear();

    for (int controller = 0; controller < numControllers; ++controller)
        if (auto* parameter = map.getParameterForController (controller))
            entries.push_back ({ controller, parameter->getName() });

    selectedIndex = -1;
    updateScrollBar();
    repaint();
}

int MidiControlComponent::ListComponent::findEntryForController (int controller) const
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].controller == controller)
            return (int) i;

    return -1;
}

int MidiControlComponent::ListComponent::getRowsPerColumn() const
{
    const auto bodyHeight = getHeight() - headerHeight - (scrollBar.isVisible() ? scrollBar.getHeight() : 0);
    return juce::jmax (1, bodyHeight / rowHeight);
}

int MidiControlComponent::ListComponent::getNumColumns() const
{
    const auto rows = getRowsPerColumn();
    const auto needed = ((int) entries.size() + rows - 1) / rows;
    return juce::jmax (visibleColumns, needed);
}

float MidiControlComponent::ListComponent::getColumnWidth() const
{
    return (float) getWidth() / (float) visibleColumns + 1.0f;
}

int MidiControlComponent::ListComponent::getControllerPartWidth() const
{
    return juce::jmax (font.getStringWidth ("127"), font.getStringWidth ("CC")) + 8;
}

void MidiControlComponent::ListComponent::updateScrollBar()
{
    const auto columnWidth = (double) getColumnWidth();
    scrollBar.setRangeLimits (0.0, columnWidth * getNumColumns());
    scrollBar.setCurrentRange (scrollBar.getCurrentRangeStart(), columnWidth * visibleColumns);
    scrollBar.setSingleStepSize (columnWidth / 12.0);
}

void MidiControlComponent::ListComponent::resized()
{
    scrollBar.setBounds (0, getHeight() - 10, getWidth(), 10);
    updateScrollBar();
}

int MidiControlComponent::ListComponent::indexAt (juce::Point<int> position) const
{
    if (position.y < headerHeight)
        return -1;

    const auto rows = getRowsPerColumn();
    const auto x = (double) position.x + scrollBar.getCurrentRangeStart();
    const auto row = juce::jlimit (0, rows - 1, (position.y - headerHeight) / rowHeight);
    const auto column = juce::jlimit (0, getNumColumns() - 1, (int) (x / getColumnWidth()));
    return row + column * rows;
}

void MidiControlComponent::ListComponent::select (int index)
{
    selectedIndex = juce::isPositiveAndBelow (index, (int) entries.size()) ? index : -1;

    if (selectedIndex >= 0)
    {
        // Scroll so that the entry's column is in view.
        const auto column = selectedIndex / getRowsPerColumn();
        const auto left = column * (double) getColumnWidth();
        const auto right = left + getColumnWidth();
        const auto range = scrollBar.getCurrentRange();

        if (left < range.getStart())
            scrollBar.setCurrentRangeStart (left);
        else if (right > range.getEnd())
            scrollBar.setCurrentRangeStart (right - range.getLength());
    }

    repaint();
    owner.listSelectionChanged();
}

void MidiControlComponent::ListComponent::mouseDown (const juce::MouseEvent& e)
{
    const auto index = indexAt (e.getPosition());

    if (index < 0)
        return;

    select (index);

    auto& map = owner.map;

    if (selectedIndex >= 0 && map.isLearnMode())
    {
        const auto& entry = entries[(size_t) selectedIndex];
        map.setLearnCandidates (entry.controller, map.getParameterForController (entry.controller));
    }
}

void MidiControlComponent::ListComponent::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    scrollBar.moveScrollbarInSteps (wheel.deltaY > 0 || wheel.deltaX > 0 ? -3 : 3);
}

void MidiControlComponent::ListComponent::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    juce::Path clip;
    clip.addRoundedRectangle (bounds, 5.0f);
    g.reduceClipRegion (clip);

    g.setColour (bodyColour);
    g.fillRect (bounds);
    g.setColour (headerColour);
    g.fillRect (bounds.withHeight ((float) headerHeight));

    const auto rows = getRowsPerColumn();
    const auto columnWidth = getColumnWidth();
    const auto ccWidth = (float) getControllerPartWidth();
    const auto offset = (float) scrollBar.getCurrentRangeStart();
    g.setFont (font);

    for (int column = 0; column < getNumColumns(); ++column)
    {
        const auto x = column * columnWidth - offset;

        if (x + columnWidth < 0.0f || x > bounds.getRight())
            continue;

        g.setColour (controllerHeaderColour);
        g.fillRect (x, 0.0f, ccWidth, (float) headerHeight);
        g.setColour (controllerBodyColour);
        g.fillRect (x, (float) headerHeight, ccWidth, bounds.getHeight() - headerHeight);

        g.setColour (juce::Colours::white);
        g.drawText ("CC", juce::Rectangle<float> (x, 0.0f, ccWidth, (float) headerHeight), juce::Justification::centred, false);
        g.drawText ("Parameter", juce::Rectangle<float> (x + ccWidth + 5.0f, 0.0f, columnWidth - ccWidth - 5.0f, (float) headerHeight),
                    juce::Justification::centredLeft, false);

        for (int row = 0; row < rows; ++row)
        {
            const auto index = row + column * rows;

            if (index >= (int) entries.size())
                break;

            const auto& entry = entries[(size_t) index];
            const auto y = (float) (headerHeight + row * rowHeight);
            const bool selected = index == selectedIndex;

            if (selected)
            {
                g.setColour (selectedColour);
                g.fillRect (x, y, columnWidth, (float) rowHeight);
            }

            g.setColour (selected ? juce::Colours::white : juce::Colours::black);
            g.drawText (juce::String (entry.controller), juce::Rectangle<float> (x, y, ccWidth, (float) rowHeight),
                        juce::Justification::centred, false);
            g.drawText (entry.parameterName,
                        juce::Rectangle<float> (x + ccWidth + 5.0f, y, columnWidth - ccWidth - 5.0f, (float) rowHeight),
                        juce::Justification::centredLeft, true);
        }
    }
}

//==============================================================================
MidiControlComponent::MidiControlComponent (MidiControl& mapToShow, const juce::String& wildcard,
                                            const juce::String& extension)
    : juce::Component ("MidiControlComponent"), map (mapToShow),
      mapFileWildcard (wildcard), mapFileExtension (extension)
{
    addAndMakeVisible (learnCheckBox);
    addAndMakeVisible (defaultMapBox);
    addAndMakeVisible (list);
    addAndMakeVisible (buttonColumn);

    const std::pair<juce::ImageButton*, const char*> buttons[] = {
        { &deleteButton, "Delete selected assignation" },
        { &clearAllButton, "Clear all map" },
        { &loadButton, "Open map" },
        { &saveButton, "Save current map" } };

    for (auto& [button, tip] : buttons)
    {
        button->setTooltip (tip);
        button->addListener (this);
        buttonColumn.addAndMakeVisible (button);
    }

    map.addListener (this);
    learnCheckBox.addListener (this);
    defaultMapBox.addListener (this);
    defaultMapBox.getPathField().setChooser ("Open Midi Control file", {}, mapFileWildcard);

    list.rebuild (map);
    learnCheckBox.setToggleState (map.isLearnMode());
    defaultMapBox.setPath (map.getDefaultMapPath());
    lookAndFeelChanged();
    updateButtons();
}

MidiControlComponent::~MidiControlComponent()
{
    map.removeListener (this);

    for (auto* button : { &deleteButton, &clearAllButton, &loadButton, &saveButton })
        button->removeListener (this);
}

void MidiControlComponent::setMapFileType (const juce::String& extension, const juce::String& wildcard)
{
    mapFileExtension = extension;
    mapFileWildcard = wildcard;
    defaultMapBox.getPathField().setChooser ("Open Midi Control file", {}, mapFileWildcard);
}

void MidiControlComponent::lookAndFeelChanged()
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        lf->setIconImages (deleteButton, 4, true);
        lf->setIconImages (clearAllButton, 12, true);
        lf->setIconImages (loadButton, 15, true);
        lf->setIconImages (saveButton, 16, true);
    }

    resized();
}

void MidiControlComponent::resized()
{
    learnCheckBox.setTopLeftPosition (0, 0);
    defaultMapBox.setBounds (0, getHeight() - defaultMapBox.getHeight(), getWidth(), defaultMapBox.getHeight());

    const auto top = learnCheckBox.getBottom() + listGap;
    const auto bottom = defaultMapBox.getY() - listGap;
    const auto listWidth = juce::jmax (0, getWidth() - buttonColumn.getWidth() - buttonColumnGap);
    list.setBounds (0, top, listWidth, juce::jmax (0, bottom - top));
    buttonColumn.setTopLeftPosition (list.getRight() + buttonColumnGap, list.getY() + 1);
}

void MidiControlComponent::updateButtons()
{
    deleteButton.setEnabled (list.getSelectedIndex() >= 0);
    clearAllButton.setEnabled (map.getAssignmentCount() != 0);
}

void MidiControlComponent::listSelectionChanged()
{
    updateButtons();
}

void MidiControlComponent::buttonClicked (juce::Button* button)
{
    if (button == &deleteButton)
    {
        const auto index = list.getSelectedIndex();

        if (juce::isPositiveAndBelow (index, list.getNumEntries()))
            map.unassignController (list.getEntry (index).controller);
    }
    else if (button == &clearAllButton)
    {
        askToClearAll();
    }
    else if (button == &loadButton)
    {
        chooseMapToLoad();
    }
    else if (button == &saveButton)
    {
        chooseMapToSave();
    }
}

void MidiControlComponent::askToClearAll()
{
    question = Vantor::AlertWindow::showYesNo (map.getPluginName(), "Do you really want to clear all assignations?", this);
    addChildComponent (*question);
    question->show();
}

void MidiControlComponent::alertWindowClosed (Vantor::AlertWindow*, int result)
{
    if (result == 1)
        map.clearAll();
}

void MidiControlComponent::chooseMapToLoad()
{
    chooser = std::make_unique<juce::FileChooser> ("Open Midi Control file", juce::File(), mapFileWildcard);

    juce::Component::SafePointer<MidiControlComponent> safeThis (this);
    chooser->launchAsync (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
                          [safeThis] (const juce::FileChooser& fc)
                          {
                              if (safeThis != nullptr && fc.getResult() != juce::File())
                                  safeThis->map.loadMapFile (fc.getResult());
                          });
}

void MidiControlComponent::chooseMapToSave()
{
    chooser = std::make_unique<juce::FileChooser> ("Save Midi Control file as", juce::File(), mapFileWildcard);

    juce::Component::SafePointer<MidiControlComponent> safeThis (this);
    chooser->launchAsync (juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                              | juce::FileBrowserComponent::warnAboutOverwriting,
                          [safeThis] (const juce::FileChooser& fc)
                          {
                              if (safeThis != nullptr && fc.getResult() != juce::File())
                                  safeThis->saveMapAs (fc.getResult());
                          });
}

juce::File MidiControlComponent::fileToSave (const juce::File& chosen) const
{
    return chosen.withFileExtension (mapFileExtension);
}

void MidiControlComponent::saveMapAs (const juce::File& chosen)
{
    map.saveMapFile (fileToSave (chosen));
}

void MidiControlComponent::checkBoxChanged (CheckBox* box)
{
    if (box == &learnCheckBox)
        map.setLearnMode (learnCheckBox.getToggleState());
}

void MidiControlComponent::defaultResourceChanged (DefaultResourceCheckBox* box)
{
    if (box != &defaultMapBox)
        return;

    map.setUseDefaultMap (defaultMapBox.isChecked());
    map.setDefaultMapPath (defaultMapBox.getPath());
}

void MidiControlComponent::midiMapChanged (MidiControl&)
{
    list.rebuild (map);
    updateButtons();
}

void MidiControlComponent::midiLearnChanged (MidiControl&)
{
    learnCheckBox.setToggleState (map.isLearnMode());

    const auto controller = map.getLearnController();
    const bool complete = controller >= 0 && map.getLearnParameter() != nullptr;
    const auto index = complete ? list.findEntryForController (controller) : -1;

    if (index != list.getSelectedIndex())
        list.select (index);
}
