#pragma once

#include <QString>
#include <QStringList>

namespace ludra {

// A message the program builds in code: its key in the language file's "Misc"
// section and its built-in English text.
struct MessageDef
{
    const char *key;
    const char *text;
};

namespace Msg {
// Marker captions, in marker-menu order.
inline constexpr MessageDef MarkerCaptions[15] = {
    {"M01", "<default>"},
    {"M02", "Confirmed"},
    {"M03", "Unconfirmed"},
    {"M04", "In Stock (auto assigned)"},
    {"M05", "No Implant (auto assigned)"},
    {"M06", "Bad Cluster"},
    {"M07", "Note!"},
    {"M08", "Unremovable"},
    {"M09", "Trash"},
    {"M10", "Notification!"},
    {"M11", "Needs Work"},
    {"M12", "Query"},
    {"M13", "Conflict! (auto assigned)"},
    {"M14", "Question?"},
    {"M15", "No Stock (auto assigned)"},
};

// Missing reference files.
inline constexpr MessageDef NoCatalogueText{"M16", "Terribly Large error! No raw Cluster data was found!"};
inline constexpr MessageDef NoCatalogueTitle{"M17", "Error beyond belief!"};
inline constexpr MessageDef NoSecSkillText{"M18", "Medium error! No secondary skill file was found!"};
inline constexpr MessageDef NoSecSkillTitle{"M19", "Error you can survive with."};
inline constexpr MessageDef NoRequireText{"M20", "Almost but not quite a huge error! No raw Skill requirement data was found!"};
inline constexpr MessageDef NoRequireTitle{"M21", "Bad Error!"};

// Layout.
inline constexpr MessageDef ClearAllocateText{"M22", "Auto Allocating will erase your current selections. Are you sure?"};
inline constexpr MessageDef ClearAllocateTitle{"M23", "Warning!"};
inline constexpr MessageDef KeepAllocateText{"M24", "Auto Allocating will NOT clear already placed clusters. Are you sure you wish Allocate?"};
inline constexpr MessageDef KeepAllocateTitle{"M25", "Information"};
inline constexpr MessageDef DuplicatesLabel{"M37", "Warning! You have duplicate nanos"};

// Build.
inline constexpr MessageDef NoTargetText{"M26", "You must set an Implant target level above 0!"};
inline constexpr MessageDef NoTargetTitle{"M27", "Insufficient Target"};
inline constexpr MessageDef RemoveStockText{"M28", "You have selected to Remove stock that makes up this implant! Make sure you wish to do this before proceeding."};
inline constexpr MessageDef RemoveStockTitle{"M29", "Stock may be deleted!"};
inline constexpr MessageDef RemovedCountTitle{"M30", "Stock may be deleted!"};
inline constexpr MessageDef RemovedCountMiddle{"M31", " Implants and "};
inline constexpr MessageDef RemovedCountEnd{"M32", " Clusters were deleted making these items. Are you SURE you wish to delete them?"};

// Project files.
inline constexpr MessageDef SaveAsTitle{"M33", "Save"};
inline constexpr MessageDef SaveAsFilter{"M34", "Ludra Files (*.lud)|*.lud"};
inline constexpr MessageDef SaveUnnamedTitle{"M35", "Save As"};
inline constexpr MessageDef SaveUnnamedFilter{"M36", "Ludra Files (*.lud)|*.lud"};

// Reports.
inline constexpr MessageDef ExportCsvTitle{"M38", "Export to CSV"};
inline constexpr MessageDef ExportCsvFilter{"M39", "CSV text (*.csv)|*.csv"};
inline constexpr MessageDef ExportHtmlTitle{"M40", "Export to HTML"};
inline constexpr MessageDef ExportHtmlFilter{"M41", "HTM format (*.htm)|*.htm|HTML format (same thing) (*.html)|*.html"};
inline constexpr MessageDef ExportDocTitle{"M42", "Export to Word Document"};
inline constexpr MessageDef ExportDocFilter{"M43", "Word Document (*.doc)|*.doc"};
inline constexpr MessageDef SkillReportTitle{"M44", "Ludra Skill Increase Report"};
inline constexpr MessageDef ReportTitle{"M45", "Ludra Report"};
inline constexpr MessageDef RequirementsReportTitle{"M46", "Ludra Requirements and Layout Report"};
inline constexpr MessageDef SuggestionReportTitle{"M47", "Ludra Suggestion Report"};
inline constexpr MessageDef LadderReportTitle{"M48", "Ludra Ladder Report"};
// The character.
inline constexpr MessageDef TopLevelRangeText{"M49", "The top quality level must be a whole number from 1 to 300."};
inline constexpr MessageDef TopLevelRangeTitle{"M50", "Top Quality Level"};
// Undo and redo: the menu items' words and the names of the edits.
inline constexpr MessageDef UndoPrefix{"M51", "&Undo"};
inline constexpr MessageDef RedoPrefix{"M52", "&Redo"};
inline constexpr MessageDef EditAdd{"M53", "Add"};
inline constexpr MessageDef EditRemove{"M54", "Remove"};
inline constexpr MessageDef EditMoveUp{"M55", "Move Up"};
inline constexpr MessageDef EditMoveDown{"M56", "Move Down"};
inline constexpr MessageDef EditClearAll{"M57", "Clear All"};
inline constexpr MessageDef EditDefaultSelection{"M58", "Default Selection"};
inline constexpr MessageDef EditAutoAllocate{"M59", "Auto Allocate"};
inline constexpr MessageDef EditCell{"M60", "Cell Edit"};
inline constexpr MessageDef EditMarker{"M61", "Marker"};
inline constexpr MessageDef EditView{"M62", "View Switch"};
inline constexpr MessageDef EditNames{"M63", "Names Switch"};
inline constexpr MessageDef EditPastePlan{"M64", "Paste Plan"};
// Unsaved changes and recent projects.
inline constexpr MessageDef SaveChangesText{"M65", "Save changes to %1?"};
inline constexpr MessageDef UntitledProject{"M66", "the new plan"};
inline constexpr MessageDef RecentGoneTitle{"M67", "Recent Projects"};
inline constexpr MessageDef RecentGoneText{"M68", "The project \"%1\" no longer exists. It has been taken off the list of recent projects."};
inline constexpr MessageDef PasteFailedTitle{"M69", "Paste Plan"};
inline constexpr MessageDef PasteFailedText{"M70", "The plan could not be pasted, and nothing was changed:"};
// The graphs: axis titles, the names of their lines and marks, and saving
// and printing them.
inline constexpr MessageDef GraphLevelAxis{"M71", "Quality Level"};
inline constexpr MessageDef GraphRequirementAxis{"M72", "Requirement"};
inline constexpr MessageDef GraphBonusAxis{"M73", "Increase"};
inline constexpr MessageDef GraphTreatmentLine{"M74", "Treatment"};
inline constexpr MessageDef GraphAbilityLine{"M75", "Secondary Skill"};
inline constexpr MessageDef GraphNanoProgLine{"M76", "Highest Nano Programming"};
inline constexpr MessageDef GraphCharacterLine{"M77", "Character's %1"};
inline constexpr MessageDef GraphNanoProgMaxLine{"M78", "Nano Programming maximum"};
inline constexpr MessageDef GraphTargetLine{"M79", "Target Quality Level"};
// No longer drawn (M136 names the mark); kept for the keys' order.
inline constexpr MessageDef GraphLastWearable{"M80", "Last wearable at QL %1: %2"};
inline constexpr MessageDef GraphNotWearable{"M81", "Not wearable: %1"};
inline constexpr MessageDef GraphBoundaryLine{"M82", "Quality level 200/201"};
inline constexpr MessageDef GraphUnknownSkill{"M83", "(unknown skill)"};
inline constexpr MessageDef GraphSaveTitle{"M84", "Save Image"};
inline constexpr MessageDef GraphSaveFilter{"M85", "PNG image (*.png)|*.png|SVG image (*.svg)|*.svg"};
inline constexpr MessageDef GraphReportTitle{"M86", "Ludra Graph Report"};
// Results that say what they are.
inline constexpr MessageDef StaleResultsText{"M87", "These results are from before your last change. Press Build >> to update."};
inline constexpr MessageDef NothingPlacedText{"M88", "No selected implant holds a cluster, so nothing was built."};
inline constexpr MessageDef NothingSourcedText{"M89", "No cluster of the layout could be had from stock, so nothing was built; the build log says why."};
inline constexpr MessageDef EmptyBuildLogText{"M90", "No stock problems in the last build."};
// Quality levels the game does not have.
inline constexpr MessageDef LevelAboveTopTitle{"M91", "Quality Level above 300"};
inline constexpr MessageDef LevelAboveTopText{"M92", "Quality level %1 is above 300, the highest level the game has. Build anyway?"};
inline constexpr MessageDef StockLevelAboveTopText{"M93", "Quality level %1 is above 300, the highest level the game has. Add the item anyway?"};
inline constexpr MessageDef StaleReportNote{"M94", "from before the last change"};
// Several plans open at once.
inline constexpr MessageDef OpenInNewWindowButton{"M95", "Open in &New Window"};
inline constexpr MessageDef CompareReportTitle{"M96", "Ludra Plan Comparison"};
inline constexpr MessageDef CompareOpenTitle{"M97", "Compare with Project"};
inline constexpr MessageDef CompareNothingText{"M98", "There is no other plan to compare with: open another window or choose a project file."};
// The plan's implant selection, an edit of the plan.
inline constexpr MessageDef EditImplantSelection{"M99", "Implant Selection"};
// Trickle-down and the cheaper levels of the last build.
inline constexpr MessageDef TrickleOnlyText{"M100", "Raised by trickle-down alone: %1"};
inline constexpr MessageDef UseCheaperLevels{"M101", "Use the cheaper levels"};
inline constexpr MessageDef ShoppingListLevel{"M102", "%1 (QL %2 or higher)"};
// Symbiants in body slots: the edits, the missing table, the symbiants a
// build counted.
inline constexpr MessageDef EditUseSymbiant{"M103", "Use Symbiant"};
inline constexpr MessageDef EditUseImplant{"M104", "Use Implant"};
inline constexpr MessageDef NoSymbiantsTitle{"M105", "Symbiants"};
inline constexpr MessageDef NoSymbiantsText{"M106", "The symbiant table \"symbiants.csv\" cannot be read, so no symbiant can be chosen."};
inline constexpr MessageDef SymbiantsCountedText{"M107", "Symbiants counted: %1"};
// The symbiants each body slot could hold.
inline constexpr MessageDef SymbiantReportTitle{"M108", "Ludra Symbiants"};
inline constexpr MessageDef FindSymbiantsTitle{"M109", "Find Symbiants"};
inline constexpr MessageDef NoSymbiantTableText{"M110", "The symbiant table \"%1\" cannot be read."};
inline constexpr MessageDef SymbiantsNotJudgedText{"M111", "No character is entered, so the requirements were not judged: every symbiant is listed. Enter the character on the Build tab."};
inline constexpr MessageDef SymbiantsJudgedText{"M112", "The symbiants the character can wear with the rest of the plan on (%1), best first."};
// Plans kept from a run that did not end normally.
inline constexpr MessageDef RecoveryTitle{"M113", "Unsaved Plans"};
inline constexpr MessageDef RecoveryText{"M114", "Ludra did not end normally last time. It kept these plans with the changes that were not saved:\n\n%1\n\nRestore opens each in a window of its own, its changes still to be saved; Discard deletes them."};
inline constexpr MessageDef RecoveryEntry{"M115", "%1, last changed %2"};
inline constexpr MessageDef RestoreButton{"M116", "&Restore"};
inline constexpr MessageDef RecoveryUnreadableText{"M117", "A plan kept from a run that did not end normally cannot be read: %1\nIt was kept as \"%2\"."};
// Delete or Backspace on the layout's selected cells.
inline constexpr MessageDef EditClearCells{"M118", "Clear Cells"};
// A skill's column in the table of both graphs' numbers, apart from the
// requirement of the same name.
inline constexpr MessageDef SeriesBonusColumn{"M119", "%1 Bonus"};
// What automatic allocation could not place.
inline constexpr MessageDef AllocationShortTitle{"M120", "Auto Allocate"};
inline constexpr MessageDef AllocationShortText{"M121", "Not every selected skill got all its clusters: a cluster goes only into the slot of its type.\n\n%1"};
inline constexpr MessageDef AllocationHeldLine{"M122", "%1: no %2 cluster, since %3's %2 place holds %4"};
inline constexpr MessageDef AllocationSymbiantLine{"M123", "%1: no %2 cluster, since %3 holds the symbiant %4"};
// Numbers checked where they are typed: the character dialog's stats, the
// implant selection's quality cells.
inline constexpr MessageDef StatRangeText{"M124", "%1 must be a whole number from 0 to %2; an empty box counts as 0."};
inline constexpr MessageDef StatRangeTitle{"M125", "Character Stat"};
inline constexpr MessageDef QualityCellRangeText{"M126", "The quality level of %1 must be a whole number from 1 to %2; only a slot that is not selected may be left empty."};
inline constexpr MessageDef QualityCellRangeTitle{"M127", "Quality Level"};
inline constexpr MessageDef SelectionAboveTopText{"M128", "Quality level above 300, the highest level the game has: %1. Keep the levels as entered?"};
inline constexpr MessageDef SelectionAboveTopEntry{"M129", "%1 at %2"};
// The layout's section of the requirements' HTML report.
inline constexpr MessageDef LayoutSectionHeading{"M130", "Layout"};
// The preview's zoom: its commands and the name of their tool bar.
inline constexpr MessageDef PreviewZoomIn{"M131", "Zoom In"};
inline constexpr MessageDef PreviewZoomOut{"M132", "Zoom Out"};
inline constexpr MessageDef PreviewFitWidth{"M133", "Fit Width"};
inline constexpr MessageDef PreviewFitPage{"M134", "Fit Page"};
inline constexpr MessageDef PreviewZoomBar{"M135", "Zoom"};
// What the marked cells of the requirements mean, under the table and on
// the cells themselves.
inline constexpr MessageDef ReqLegendRed{"M136", "Red: above your character's own Treatment or ability, without implants (or a symbiant not for your profession)."};
inline constexpr MessageDef ReqLegendReached{"M137", "In italics: above your character's own value, but the ladder (Result - Ladder) reaches it with the implants it puts on first."};
inline constexpr MessageDef ReqLegendNanoProg{"M138", "Red Skill Req: above the highest nano programming skill entered on the Build tab."};
inline constexpr MessageDef ReqCellAboveTip{"M139", "Above your character's own value, without implants"};
inline constexpr MessageDef ReqCellReachedTip{"M140", "Above your character's own value; the ladder reaches it with the implants it puts on before this one"};
// The requirements chart's marks: how far the character wears each implant
// on its own stats, how far its ladder takes it, and both at one level.
inline constexpr MessageDef GraphOwnStatsWearable{"M141", "Last wearable on your own stats at QL %1: %2"};
inline constexpr MessageDef GraphLadderLevel{"M142", "Ladder reaches QL %1: %2"};
inline constexpr MessageDef GraphOwnStatsAndLadder{"M143", "Last wearable on your own stats and by the ladder at QL %1: %2"};
inline constexpr MessageDef GraphOwnStatsNotWearable{"M144", "Not wearable on your own stats: %1"};
inline constexpr MessageDef GraphLadderNotWearable{"M145", "Not wearable by the ladder: %1"};
inline constexpr MessageDef RecoveryNotWritten{"M146", "Your unsaved changes are not kept for recovery after a crash. Save the plan to keep them."};
inline constexpr MessageDef RecoveryNotWrittenPurpose{"M147", "Recovery copy"};
// Every message of the table, M01 on in key order: the language file's
// "Misc" section has one key for each.
inline constexpr MessageDef All[] = {
    MarkerCaptions[0], MarkerCaptions[1], MarkerCaptions[2], MarkerCaptions[3], MarkerCaptions[4],
    MarkerCaptions[5], MarkerCaptions[6], MarkerCaptions[7], MarkerCaptions[8], MarkerCaptions[9],
    MarkerCaptions[10], MarkerCaptions[11], MarkerCaptions[12], MarkerCaptions[13], MarkerCaptions[14],
    NoCatalogueText, NoCatalogueTitle, NoSecSkillText, NoSecSkillTitle, NoRequireText, NoRequireTitle,
    ClearAllocateText, ClearAllocateTitle, KeepAllocateText, KeepAllocateTitle, NoTargetText, NoTargetTitle,
    RemoveStockText, RemoveStockTitle, RemovedCountTitle, RemovedCountMiddle, RemovedCountEnd, SaveAsTitle,
    SaveAsFilter, SaveUnnamedTitle, SaveUnnamedFilter, DuplicatesLabel, ExportCsvTitle, ExportCsvFilter,
    ExportHtmlTitle, ExportHtmlFilter, ExportDocTitle, ExportDocFilter, SkillReportTitle, ReportTitle,
    RequirementsReportTitle, SuggestionReportTitle, LadderReportTitle, TopLevelRangeText, TopLevelRangeTitle,
    UndoPrefix, RedoPrefix, EditAdd, EditRemove, EditMoveUp, EditMoveDown, EditClearAll, EditDefaultSelection,
    EditAutoAllocate, EditCell, EditMarker, EditView, EditNames, EditPastePlan, SaveChangesText, UntitledProject,
    RecentGoneTitle, RecentGoneText, PasteFailedTitle, PasteFailedText,
    GraphLevelAxis, GraphRequirementAxis, GraphBonusAxis, GraphTreatmentLine, GraphAbilityLine, GraphNanoProgLine,
    GraphCharacterLine, GraphNanoProgMaxLine, GraphTargetLine, GraphLastWearable, GraphNotWearable,
    GraphBoundaryLine, GraphUnknownSkill, GraphSaveTitle, GraphSaveFilter, GraphReportTitle,
    StaleResultsText, NothingPlacedText, NothingSourcedText, EmptyBuildLogText, LevelAboveTopTitle, LevelAboveTopText,
    StockLevelAboveTopText, StaleReportNote, OpenInNewWindowButton, CompareReportTitle, CompareOpenTitle,
    CompareNothingText, EditImplantSelection, TrickleOnlyText, UseCheaperLevels, ShoppingListLevel,
    EditUseSymbiant, EditUseImplant, NoSymbiantsTitle, NoSymbiantsText, SymbiantsCountedText,
    SymbiantReportTitle, FindSymbiantsTitle, NoSymbiantTableText, SymbiantsNotJudgedText, SymbiantsJudgedText,
    RecoveryTitle, RecoveryText, RecoveryEntry, RestoreButton, RecoveryUnreadableText, EditClearCells,
    SeriesBonusColumn, AllocationShortTitle, AllocationShortText, AllocationHeldLine, AllocationSymbiantLine,
    StatRangeText, StatRangeTitle, QualityCellRangeText, QualityCellRangeTitle, SelectionAboveTopText,
    SelectionAboveTopEntry,
    LayoutSectionHeading, PreviewZoomIn, PreviewZoomOut, PreviewFitWidth, PreviewFitPage, PreviewZoomBar,
    ReqLegendRed, ReqLegendReached, ReqLegendNanoProg, ReqCellAboveTip, ReqCellReachedTip,
    GraphOwnStatsWearable, GraphLadderLevel, GraphOwnStatsAndLadder, GraphOwnStatsNotWearable, GraphLadderNotWearable,
    RecoveryNotWritten, RecoveryNotWrittenPurpose,
};

namespace detail {
// Whether All holds the keys M01, M02 and on, each once and in order (at
// least two digits).
constexpr bool keysInOrder()
{
    int n = 0;
    for (const MessageDef &message : All) {
        ++n;
        const char *key = message.key;
        if (key[0] != 'M')
            return false;
        int value = 0;
        int digits = 0;
        for (const char *c = key + 1; *c; ++c, ++digits) {
            if (*c < '0' || *c > '9')
                return false;
            value = value * 10 + (*c - '0');
        }
        if (value != n || digits < 2 || (digits > 2 && key[1] == '0'))
            return false;
    }
    return true;
}
} // namespace detail
static_assert(detail::keysInOrder(), "Msg::All must hold M01 and on in order");

} // namespace Msg

// The text of a message: the language file's text for the key when one is
// loaded and gives it, otherwise the built-in text. Every message the program
// shows, and every caption it builds in code, is looked up here.
QString LangMsg(const QString &key, const QString &defaultText);
QString LangMsg(const MessageDef &message);

// The fifteen marker captions (MarkerNames) in marker-menu order.
QStringList MarkerCaptions();

} // namespace ludra
