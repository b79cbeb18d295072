#include "app/ludramodel.h"

#include "app/messages.h"
#include "common/collation.h"
#include "common/paths.h"
#include "common/prompter.h"

#include <algorithm>

namespace ludra {

namespace {

void reportMissing(Prompter &prompter, const MessageDef &title, const MessageDef &text)
{
    prompter.message(Prompter::Icon::Stop, Prompter::Buttons::Ok, LangMsg(title), LangMsg(text));
}

void setHeader(TextTable &table, const QStringList &headers)
{
    table.setColumnCount(int(headers.size()));
    table.setRowCount(2);
    table.setRow(0, headers);
}

} // namespace

LudraModel::LudraModel()
    : ColorGrid(1, 3, 1, LayoutMaxRows),
      Icons(0, 3, 0, LayoutMaxRows, NoMarker),
      SecondIcons(0, 3, 0, LayoutMaxRows, NoMarker)
{
    setHeader(SkillIncTable, {QStringLiteral("Skill"), QStringLiteral("Increase"), QStringLiteral("Clusters")});
    setHeader(ReqTable, {QStringLiteral("Cluster"), QStringLiteral("Credits"), QStringLiteral("Skill Req"),
                         QStringLiteral("Implant"), QStringLiteral("Type"), QStringLiteral("Treatment"),
                         QStringLiteral("Secondary Skill")});
    setHeader(SuggestTable, {QStringLiteral("Suggested Cluster Addition"), QStringLiteral("Implant"),
                             QStringLiteral("New Secondary Skill")});
}

void LudraModel::loadSkillReq(Prompter &prompter)
{
    const QString path = BesideExe(RefFile::SkillIncrease);
    QString reason;
    if (!LoadSkillReq(path, SkillReq, &reason))
        prompter.error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}

void LudraModel::resetBuildState()
{
    SelImpBool.clear();
    SelImpQL.clear();
    ImplantsUsed.clear();
    ImplantsUsedQL.clear();
    Requirements = RequirementLists();
    BuildLog.clear();
    Building = false;
    OverwriteOption = 0;
    IncludeShining = IncludeBright = IncludeFaded = true;
}

void LudraModel::fillMarkerNames()
{
    MarkerNames.clear();
    for (const MessageDef &caption : Msg::MarkerCaptions)
        MarkerNames.append(LangMsg(caption));
}

void LudraModel::clearCellTables()
{
    ColorGrid.fill(QString());
    Icons.fill(NoMarker);
    SecondIcons.fill(NoMarker);
    CurrentView = 0;
}

bool LudraModel::loadCatalogue(Prompter &prompter)
{
    PickList.clear();
    if (ReadCatalogue(BesideExe(RefFile::Catalogue), Unknown, NanoList))
        return true;
    reportMissing(prompter, Msg::NoCatalogueTitle, Msg::NoCatalogueText);
    return false;
}

void LudraModel::loadSecSkills(Prompter &prompter)
{
    SecSkills.clear();
    if (!ReadSecSkills(BesideExe(RefFile::SecSkills), Unknown, SecSkills))
        reportMissing(prompter, Msg::NoSecSkillTitle, Msg::NoSecSkillText);
}

void LudraModel::loadRequirements(Prompter &prompter)
{
    if (!ReadRequirements(BesideExe(RefFile::Requirements), Unknown, Requirements))
        reportMissing(prompter, Msg::NoRequireTitle, Msg::NoRequireText);
}

QList<SkillEntry> LudraModel::sortedSkills() const
{
    QList<SkillEntry> entries;
    entries.reserve(NanoList.count());
    for (int i = 0; i < NanoList.count(); ++i)
        entries.append(SkillEntry{NanoList.name(i), NanoList.at(i)});
    std::stable_sort(entries.begin(), entries.end(), [](const SkillEntry &a, const SkillEntry &b) {
        return CompareText(a.name, b.name) < 0;
    });
    return entries;
}

} // namespace ludra
