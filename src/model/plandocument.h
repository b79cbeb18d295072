#pragma once

#include "build/buildresults.h"
#include "build/buildrunner.h"
#include "build/buildsettings.h"
#include "layout/layoutstate.h"
#include "model/planhistory.h"
#include "model/projectstate.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace ludra {

class LudraProgram;
class Prompter;
class ReferenceData;
class StockState;

// One open plan: the plan with how it is shown (the layout), its build
// settings and character, its results and whether they are stale, its own
// history of edits, its file name and whether it has unsaved changes. Every
// change goes through the document, which tells it by a signal; the pages of
// a window follow the document they show through those signals. The
// reference data, the stock and the options belong to the program and are
// shared by every document.
class PlanDocument : public QObject
{
    Q_OBJECT

public:
    // An empty plan with the default settings, every skill available, by
    // body placement with skill names.
    explicit PlanDocument(LudraProgram &program, QObject *parent = nullptr);
    ~PlanDocument() override;

    LudraProgram &program() const { return m_program; }
    const ReferenceData &reference() const;
    StockState &stock() const;

    // The layout is read through here; what changes the plan goes through
    // editPlan. The stock status over the grid (markers) is the layout's own
    // and may be set directly.
    LayoutState &layout() { return m_layout; }
    const LayoutState &layout() const { return m_layout; }
    const BuildSettings &buildSettings() const { return m_settings; }
    // The results; their sort state may be changed here (a heading click).
    BuildResults &results() { return m_results; }
    const BuildResults &results() const { return m_results; }

    // The project file last opened or saved; empty before.
    const QString &fileName() const { return m_fileName; }
    // Whether the plan, its settings or its results differ from its file.
    bool isModified() const;

    // The history of plan edits; the document owns it. Without one, edits
    // are made and no step is kept.
    void setHistory(std::unique_ptr<PlanHistory> history);
    PlanHistory *history() const { return m_history.get(); }

    // Changes.

    // Makes an edit of the layout and, when it changed the plan or how it is
    // shown, puts it onto the history under its name and tells planChanged.
    // What an edit changed before an error ended it is kept as a step too;
    // the error goes on. Returns whether anything changed.
    bool editPlan(const QString &name, const std::function<void(LayoutState &)> &edit);
    // A step of the history back or forth: the layout as the step holds it.
    void showStep(const LayoutSnapshot &snapshot);
    // The history moved or its clean state changed (its owner tells).
    void historyMoved();
    void cleanChanged();

    // Every setting of the Build tab at once; tells settingsChanged when
    // they differ from those held.
    void setSettings(const BuildSettings &settings);
    // The allocation rules (not a step of the history).
    void setRules(const AllocationRules &rules);
    // Stock control switched or its target changed: the settings that go
    // with it and the layout's stock status (ApplyStockControl).
    void applyStockControl(bool on, const QString &targetText, bool targetChanged);

    // "&Build >>": the build of the plan with the settings; the results then
    // stand for them. False when a question before it ended it. Throws what
    // ends a build (see BuildRunner::run).
    bool build(Prompter &prompter, const BuildOptions &options = {}, const BuildHooks &hooks = {});

    // Files.

    // Reads a project whole and, once it has been read, puts it into the
    // document: a file that cannot be read throws, with the file's name and
    // the reason, and the document stays as it was. The history starts
    // afresh and nothing is unsaved.
    ProjectShown open(const QString &path);
    // Writes the document to a project file, replacing it only once the new
    // file is whole, and makes it the document's file.
    void save(const QString &path, const ProjectShown &shown);
    // The document as a project holds it, with what the window shows of it.
    ProjectImage projectImage(const ProjectShown &shown) const;

Q_SIGNALS:
    // The plan, or how it is shown, changed: an edit, a step of the history,
    // an opened project.
    void planChanged();
    void settingsChanged();
    // A build filled the results, or a project brought its own.
    void resultsChanged();
    // The results came to stand, or no longer stand, for the plan and the
    // settings.
    void staleChanged(bool stale);
    void fileNameChanged(const QString &fileName);
    void modifiedChanged(bool modified);

private:
    // The plan or the settings changed: results of a build no longer stand.
    void outdate();
    // A change that is no step of the history.
    void changedWithoutStep();
    void setModified(bool modified);
    void startHistory();

    LudraProgram &m_program;
    LayoutState m_layout;
    BuildSettings m_settings;
    BuildResults m_results;
    std::unique_ptr<PlanHistory> m_history;
    QString m_fileName;
    // Without a history: whether the document differs from its file.
    bool m_unsaved = false;
    // The last modified state told.
    bool m_modifiedTold = false;
};

} // namespace ludra
