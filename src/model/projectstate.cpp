#include "model/projectstate.h"

#include "model/ludramodel.h"
#include "common/numbers.h"
#include "common/text.h"
#include "storage/corruptfile.h"

namespace ludra {

namespace {

// The fixed shapes of the stored mark and marker lists: the duplicate marks
// of columns 1 to 3 and rows 1 to 400, the markers of columns 0 to 3 and rows
// 0 to 400, column by column.
constexpr int MarkRows = LayoutMaxRows;
constexpr int MarkerRows = LayoutMaxRows + 1;

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A stored index or number: a line that is empty or no number reads as 0.
int number(const QString &line)
{
    int value = 0;
    return TryStrToInt(TrimCtl(QStringView(line)), value) ? value : 0;
}

// A stored marker code; anything but a code of the fixed set is no marker.
Marker markerCode(const QString &line)
{
    int code = 0;
    if (!TryStrToInt(TrimCtl(QStringView(line)), code) || code < int(Marker::None) || code > int(Marker::NoStock))
        return Marker::None;
    return Marker(code);
}

// The catalogue record a stored skill name stands for: of several records
// with the name, the last in catalogue order.
QHash<QString, const TNano *> recordsByName(const TNanoList &nanoList)
{
    QHash<QString, const TNano *> last;
    for (int i = 0; i < nanoList.count(); ++i)
        last.insert(nanoList.at(i)->SkillName, nanoList.at(i));
    return last;
}

// The entries for stored skill names; a name no record has gets none.
QList<SkillEntry> attach(const QStringList &names, const QHash<QString, const TNano *> &last)
{
    QList<SkillEntry> entries;
    entries.reserve(names.size());
    for (const QString &name : names)
        entries.append(SkillEntry{name, last.value(name, nullptr)});
    return entries;
}

QStringList names(const QList<SkillEntry> &entries)
{
    QStringList result;
    result.reserve(entries.size());
    for (const SkillEntry &entry : entries)
        result.append(entry.name);
    return result;
}

// A marker's stored code. The texts are made once and shared by every line:
// a project holds over three thousand marker lines.
const QString &markerText(Marker marker)
{
    static const QStringList texts = [] {
        QStringList list;
        for (int code = int(Marker::None); code <= int(Marker::NoStock); ++code)
            list.append(QString::number(code));
        return list;
    }();
    return texts.at(int(marker) - int(Marker::None));
}

QStringList markerLines(const LayoutState &layout, LayoutView view)
{
    QStringList lines;
    lines.reserve(LayoutColumns * MarkerRows);
    for (int c = 0; c < LayoutColumns; ++c)
        for (int r = 0; r < MarkerRows; ++r)
            lines.append(markerText(layout.marker(view, c, r)));
    return lines;
}

void restoreMarkers(LayoutState &layout, LayoutView view, const QStringList &lines)
{
    const int count = int(std::min<qsizetype>(lines.size(), qsizetype(LayoutColumns) * MarkerRows));
    for (int k = 0; k < count; ++k)
        layout.restoreMarker(view, k / MarkerRows, k % MarkerRows, markerCode(lines.at(k)));
}

// A result table takes a stored grid when it has the table's columns; the
// header row and one data row always stay.
void restoreResult(const GridImage &grid, TextTable &table)
{
    if (grid.columns != table.columnCount())
        return;
    grid.toTable(table);
    if (table.rowCount() < 2)
        table.setRowCount(2);
}

} // namespace

ProjectImage CaptureProject(const LudraModel &model, const ProjectShown &shown)
{
    const LayoutState &layout = model.layout();
    const BuildSettings &settings = model.buildSettings();
    const AllocationRules &rules = layout.rules();
    ProjectImage image;

    image.config = {
        QString::number(int(layout.currentView())),
        QString::number(int(layout.names())),
        shown.viewSelectorEnabled ? QStringLiteral("true") : QStringLiteral("false"),
        flag(rules.IncludeShining),
        flag(rules.IncludeBright),
        flag(rules.IncludeFaded),
        QString::number(int(rules.OverwriteOption)),
        flag(settings.useStock),
        flag(settings.useRange),
        flag(settings.removeStock),
        flag(!settings.oneLevel),
        settings.rangeText,
        settings.implantQLText,
        settings.indiSelectedCaption,
        flag(settings.warnNanoProg),
        settings.maxNanoProgText,
    };
    for (bool on : settings.attributes)
        image.config.append(flag(on));

    image.colorGrid.reserve(3 * MarkRows);
    for (int c = 1; c < LayoutColumns; ++c)
        for (int r = 1; r <= MarkRows; ++r)
            image.colorGrid.append(layout.duplicateMarkText(c, r));
    image.selected = names(layout.skills().selected());
    image.available = names(layout.skills().available());
    image.grid = GridImage::fromTable(layout.table(), shown.widths.layout);
    image.icons = markerLines(layout, LayoutView::BodyPlacement);
    image.secondIcons = markerLines(layout, LayoutView::SkillSet);
    for (const ImplantSelection &selection : settings.implantSelections()) {
        image.selImpBool.append(flag(selection.selected));
        image.selImpQL.append(selection.qualityLevel);
    }
    const BuildResults &results = model.results();
    image.resultSkill = GridImage::fromTable(results.skillIncTable(), shown.widths.skills);
    image.resultReq = GridImage::fromTable(results.reqTable(), shown.widths.requirements);
    image.resultSuggest = GridImage::fromTable(results.suggestTable(), shown.widths.suggestions);
    return image;
}

ProjectShown ApplyProject(const ProjectImage &image, LudraModel &model)
{
    if (image.grid.columns != 0 && image.grid.columns != LayoutColumns)
        throw ECorruptFile(QStringLiteral("File is corrupt. The layout grid has %1 columns.").arg(image.grid.columns));

    LayoutState &layout = model.layout();
    BuildSettings &settings = model.buildSettings();
    const TNanoList &nanoList = model.reference().nanoList();
    ProjectShown shown;
    shown.widths.layout = image.grid.widths;
    shown.widths.skills = image.resultSkill.widths;
    shown.widths.requirements = image.resultReq.widths;
    shown.widths.suggestions = image.resultSuggest.widths;

    layout.resetForProject();
    // A selection is one pair of entries per slot; entries the other list
    // lacks count as unticked or untyped.
    QList<ImplantSelection> selections;
    const qsizetype entries = std::max(image.selImpBool.size(), image.selImpQL.size());
    for (qsizetype i = 0; i < entries; ++i)
        selections.append(ImplantSelection{image.selImpBool.value(i) == QLatin1String("1"), image.selImpQL.value(i)});
    settings.setImplantSelections(selections);

    if (image.grid.columns != 0) {
        image.grid.toTable(layout.table());
        if (layout.table().rowCount() < 1)
            layout.table().setRowCount(1);
    }
    BuildResults &results = model.results();
    restoreResult(image.resultSkill, results.skillIncTable());
    restoreResult(image.resultReq, results.reqTable());
    restoreResult(image.resultSuggest, results.suggestTable());

    const QHash<QString, const TNano *> records = recordsByName(nanoList);
    layout.skills().restore(attach(image.selected, records), attach(image.available, records));

    const int marks = int(std::min<qsizetype>(image.colorGrid.size(), qsizetype(3) * MarkRows));
    for (int k = 0; k < marks; ++k)
        layout.restoreDuplicateMark(1 + k / MarkRows, 1 + k % MarkRows, !TrimCtl(image.colorGrid.at(k)).isEmpty());

    // Line i counts only when the stored list has it.
    const QStringList &config = image.config;
    const auto has = [&config](int line) { return config.size() > line; };
    const auto on = [&config](int line) { return config.at(line) != QLatin1String("0"); };
    LayoutView view = layout.currentView();
    LayoutNames shownNames = layout.names();
    if (has(0))
        view = number(config.at(0)) == 1 ? LayoutView::SkillSet : LayoutView::BodyPlacement;
    if (has(1))
        shownNames = number(config.at(1)) == 1 ? LayoutNames::ClusterNames : LayoutNames::SkillNames;
    layout.restoreView(view, shownNames);
    if (has(2))
        shown.viewSelectorEnabled = config.at(2) == QLatin1String("true");
    AllocationRules rules = layout.rules();
    if (has(3))
        rules.IncludeShining = config.at(3) == QLatin1String("1");
    if (has(4))
        rules.IncludeBright = config.at(4) == QLatin1String("1");
    if (has(5))
        rules.IncludeFaded = config.at(5) == QLatin1String("1");
    if (has(6))
        rules.OverwriteOption =
            config.at(6) == QLatin1String("0") ? AllocationRules::ClearBeforeAllocation : AllocationRules::DoNotClear;
    layout.setRules(rules);
    if (has(7))
        settings.useStock = on(7);
    if (has(8))
        settings.useRange = on(8);
    if (has(9))
        settings.removeStock = on(9);
    if (has(10))
        settings.oneLevel = !on(10);
    if (has(11))
        settings.rangeText = config.at(11);
    if (has(12))
        settings.implantQLText = config.at(12);
    if (has(13))
        settings.indiSelectedCaption = config.at(13);
    if (has(14))
        settings.warnNanoProg = on(14);
    if (has(15))
        settings.maxNanoProgText = config.at(15);
    for (int a = 0; a < AttributeCount; ++a)
        if (has(16 + a))
            settings.attributes[std::size_t(a)] = on(16 + a);

    restoreMarkers(layout, LayoutView::BodyPlacement, image.icons);
    restoreMarkers(layout, LayoutView::SkillSet, image.secondIcons);
    return shown;
}

} // namespace ludra
