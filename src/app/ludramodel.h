#pragma once

#include "common/texttable.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/skillreq.h"
#include "layout/celltable.h"

#include <QList>
#include <QStringList>

namespace ludra {

class Prompter;

// One entry of a skill list: the skill name with its catalogue record. The
// lists never own the records.
struct SkillEntry
{
    QString name;
    const TNano *nano = nullptr;
};

// The whole model the main window owns: the reference data read at start-up,
// the layout with its cell tables, the build settings and results. No widgets
// here; the window shows this state and calls its operations.
class LudraModel
{
public:
    LudraModel();

    // Reference data.
    TNanoList NanoList;
    QStringList BodySlots;
    QStringList PopupLines;
    QStringList MarkerNames;
    TSecSkills SecSkills;
    RequirementLists Requirements;
    TSkillReq SkillReq;
    UnknownCounter Unknown;

    // Layout.
    TextTable LayoutTable;
    QStringList PickList;
    TCellTable ColorGrid;
    TCellTable Icons;
    TCellTable SecondIcons;
    int ClickedX = 0;
    int ClickedY = 0;
    int CurrentView = 0;
    int OverwriteOption = 0;
    bool IncludeShining = true;
    bool IncludeBright = true;
    bool IncludeFaded = true;

    // Project.
    bool Loading = false;
    QString FileName;

    // Build.
    QStringList SelImpBool;
    QStringList SelImpQL;
    QStringList ImplantsUsed;
    QStringList ImplantsUsedQL;
    QStringList BuildLog;
    bool Building = false;
    int ClustersDeleted = 0;
    int ImplantsDeleted = 0;
    TextTable SkillIncTable;
    TextTable ReqTable;
    TextTable SuggestTable;

    // Start-up steps, run by the main window in its creation order.

    // Loads the skill increase table, writing the file of built-in values when
    // it is missing or short; a failed write is reported and the built-in
    // values stay.
    void loadSkillReq(Prompter &prompter);
    // Empties the build's working lists and resets the allocation rules.
    void resetBuildState();
    // The marker captions, in marker-menu order.
    void fillMarkerNames();
    // Empties the duplicate marks and the markers of both views.
    void clearCellTables();
    // Reads the catalogue; when the file is missing says so and returns false.
    bool loadCatalogue(Prompter &prompter);
    // Reads the recipe file; when it is missing says so. Its blank names go
    // on from the catalogue's count.
    void loadSecSkills(Prompter &prompter);
    // Reads the requirement file; when it is missing says so.
    void loadRequirements(Prompter &prompter);

    // Every catalogue entry, in the order of the available-skills list:
    // alphabetical without regard to case, catalogue order among equals.
    QList<SkillEntry> sortedSkills() const;
};

} // namespace ludra
