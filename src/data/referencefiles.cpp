#include "data/referencefiles.h"

#include "common/text.h"

namespace ludra {

QString UnknownCounter::nameOr(const QString &field)
{
    QString name = TrimCtl(field);
    return name.isEmpty() ? take() : name;
}

std::unique_ptr<TNano> ParseCatalogueLine(const QString &line, UnknownCounter &counter)
{
    QString rest = line;
    auto nano = std::make_unique<TNano>();
    nano->ClusterName = counter.nameOr(TakeField(rest));
    nano->SkillName = TrimCtl(TakeField(rest));
    nano->ShiningSlot = UpperAscii(TrimCtl(TakeField(rest)));
    nano->BrightSlot = UpperAscii(TrimCtl(TakeField(rest)));
    nano->FadedSlot = UpperAscii(TrimCtl(TakeField(rest)));
    nano->IncCategory = UpperAscii(TrimCtl(rest));
    return nano;
}

bool ReadCatalogue(const QString &path, UnknownCounter &counter, TNanoList &list)
{
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines)
        return false;
    for (const QString &line : *lines)
        list.add(ParseCatalogueLine(line, counter));
    return true;
}

bool ReadSecSkills(const QString &path, UnknownCounter &counter, SecSkillLists &lists)
{
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines)
        return false;
    for (const QString &line : *lines) {
        QString rest = line;
        lists.SecSkillNames.append(counter.nameOr(TakeField(rest)));
        lists.SecSkillBright.append(TrimCtl(TakeField(rest)));
        lists.SecSkillFaded.append(TrimCtl(TakeField(rest)));
        lists.SecSkillShining.append(TrimCtl(rest));
    }
    return true;
}

bool ReadRequirements(const QString &path, UnknownCounter &counter, RequirementLists &lists)
{
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines)
        return false;
    counter.reset(0);
    for (const QString &line : *lines) {
        QString rest = line;
        lists.ReqClusters.append(counter.nameOr(TakeField(rest)));
        TakeField(rest); // the skill name, which the requirement lookup does not use
        lists.ReqValues.append(rest);
    }
    return true;
}

} // namespace ludra
