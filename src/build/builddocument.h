#pragma once

#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "build/planlabels.h"
#include "layout/layoutdocument.h"

#include <optional>

namespace ludra {

class Prompter;
class ReferenceData;
class StockState;

// An open plan as the build knows it: the layout's document with the build
// settings and the character, the results of the last build and whether they
// still stand for the plan and the settings. The Build tab, the result tabs
// and the Graphs window follow it through its signals. The reference data and
// the stock it builds with are the program's, shared by every document.
class BuildDocument : public LayoutDocument
{
    Q_OBJECT

public:
    // An empty plan with the default settings, over the reference data, which
    // with the stock must outlive the document.
    BuildDocument(const ReferenceData &reference, StockState &stock, const DefaultSelections &defaultSelections,
                  QObject *parent = nullptr);

    const ReferenceData &reference() const { return m_reference; }
    StockState &stock() const { return m_stock; }

    const BuildSettings &buildSettings() const { return m_settings; }
    // The results; their sort state may be changed here (a heading click).
    BuildResults &results() { return m_results; }
    const BuildResults &results() const { return m_results; }

    // Every setting of the Build tab at once; tells settingsChanged when
    // they differ from those held.
    void setSettings(const BuildSettings &settings);
    // Stock control switched or its target changed: the settings that go
    // with it and the layout's stock status (ApplyStockControl).
    void applyStockControl(bool on, const QString &targetText, bool targetChanged);

    // The implant selection of the cheaper levels: each implant of the last
    // build selected at its lowest level with the same bonuses, every other
    // slot left out with its level as it was; nothing when the results hold
    // no build's rows, or no implant has a cheaper level.
    std::optional<QList<ImplantSelection>> cheaperLevels() const;
    // "Use the cheaper levels": the build switched to individual implant
    // levels with the cheaper levels, as one step of the history named name
    // (undone, the selection and the settings as they were). False when there
    // are no cheaper levels.
    bool useCheaperLevels(const QString &name);

    // "Paste Plan": the plan read from text (PlacePlan) and what its labelled
    // lines ask for (the skills, the target, the character), as one step of
    // the history named name.
    void pastePlan(const QString &name, const PlanReading &reading, const PlanLabels &labels);

    // "&Build >>": the build of the plan with the settings; the results then
    // stand for them. False when a question before it ended it. Throws what
    // ends a build (see BuildRunner::run).
    bool build(Prompter &prompter, const BuildOptions &options = {}, const BuildHooks &hooks = {});

Q_SIGNALS:
    void settingsChanged();
    // A build filled the results, or a project brought its own.
    void resultsChanged();
    // The results came to stand, or no longer stand, for the plan and the
    // settings.
    void staleChanged(bool stale);

protected:
    void outdate() override;
    // A step that changed the settings with the plan: the settings it holds.
    void restoreMore(const std::any &more) override;
    // The settings and results as a project brings them, and its word that
    // they changed.
    BuildSettings &settings() { return m_settings; }
    void tellOpened();

private:
    const ReferenceData &m_reference;
    StockState &m_stock;
    BuildSettings m_settings;
    BuildResults m_results;
};

} // namespace ludra
