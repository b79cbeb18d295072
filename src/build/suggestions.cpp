#include "build/suggestions.h"

#include "build/buildresults.h"
#include "common/text.h"

#include <vector>

namespace ludra {

namespace {

const QString Empty = QStringLiteral("Empty");

// The clusters an implant holds, "Empty" where it holds none.
struct Implant
{
    QString shining = Empty;
    QString faded = Empty;
    QString bright = Empty;

    void place(const QString &type, const QString &cluster)
    {
        if (type == QLatin1String("Shining"))
            shining = cluster;
        else if (type == QLatin1String("Faded"))
            faded = cluster;
        else
            bright = cluster;
    }
    bool full() const { return shining != Empty && faded != Empty && bright != Empty; }
};

// Where a position of the implant agrees with a recipe's cluster for it:
// the position is free or holds that cluster. A free position the recipe
// fills adds its part to the suggestion text.
bool agrees(const QString &held, QStringView recipe, const char *label, QString &text)
{
    if (held != Empty && held != recipe)
        return false;
    if (held == Empty && recipe != Empty) {
        if (!TrimCtl(QStringView(text)).isEmpty())
            text += QStringLiteral(", ");
        text += QLatin1String(label);
        text += recipe;
    }
    return true;
}

} // namespace

QString RecipeClusterName(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1Char('('));
    return TrimCtl(open < 0 ? QStringView(text) : QStringView(text).first(open)).toString();
}

QString ImplantSecondarySkill(const TSecSkills &recipes, const QString &shining, const QString &bright,
                              const QString &faded)
{
    const auto held = [](const QString &cluster) {
        return TrimCtl(QStringView(cluster)).isEmpty() ? Empty : RecipeClusterName(cluster);
    };
    const int recipe = recipes.firstHolding(held(bright), held(faded), held(shining));
    return recipe < 0 ? QString() : recipes.SecSkillNames(recipe).toString();
}

void BuildSuggestions(TextTable &reqTable, TextTable &suggestTable, const TSecSkills &recipes,
                      const BuildSettings &settings)
{
    const int rows = reqTable.rowCount() - 1;
    const int recipeCount = recipes.count();
    const QStringList &attributeNames = AttributeNames();

    std::vector<QString> implants(std::size_t(rows) + 1);
    for (int r = 1; r <= rows; ++r)
        implants[r] = RecipeClusterName(reqTable.cell(ReqCol::Implant, r));
    std::vector<bool> done(std::size_t(rows) + 1, false);
    // The suggestion rows are gathered here and shown at the end in one go;
    // a suggestion goes into the last row unless that already holds one.
    QList<QStringList> suggestions;
    for (int r = 1; r < suggestTable.rowCount(); ++r)
        suggestions.append(suggestTable.row(r));
    if (suggestions.isEmpty())
        suggestions.append(QStringList());

    for (int r = 1; r <= rows; ++r) {
        if (done[r])
            continue;
        const QString &implantName = implants[r];
        Implant implant;
        for (int r2 = r; r2 <= rows; ++r2) {
            if (done[r2] || implants[r2] != implantName)
                continue;
            done[r2] = true;
            implant.place(reqTable.cell(ReqCol::Type, r2), RecipeClusterName(reqTable.cell(ReqCol::Cluster, r2)));
        }

        const int recipe = recipes.firstHolding(implant.bright, implant.faded, implant.shining);
        const QString attribute = recipe < 0 ? QStringLiteral("Unknown") : recipes.SecSkillNames(recipe).toString();
        for (int r2 = 1; r2 <= rows; ++r2) {
            if (implants[r2] == implantName)
                reqTable.setCell(ReqCol::SecondarySkill, r2,
                                 reqTable.cell(ReqCol::SecondarySkill, r2) + QStringLiteral(" - ") + attribute);
        }

        if (!settings.anyAttribute() || implant.full())
            continue;
        const qsizetype known = attributeNames.indexOf(attribute);
        if (known < 0 || settings.attributes[std::size_t(known)])
            continue;

        for (int j = 0; j < recipeCount; ++j) {
            const QStringView name = recipes.SecSkillNames(j);
            const qsizetype wanted = attributeNames.indexOf(name);
            // A recipe is worth listing only for a ticked attribute, and then
            // only if every held cluster is where the recipe has it.
            if (wanted < 0 || !settings.attributes[std::size_t(wanted)])
                continue;
            QString text;
            if (!agrees(implant.shining, recipes.SecSkillShining(j), "(Shining) ", text) ||
                !agrees(implant.faded, recipes.SecSkillFaded(j), "(Faded) ", text) ||
                !agrees(implant.bright, recipes.SecSkillBright(j), "(Bright) ", text))
                continue;
            if (!TrimCtl(QStringView(suggestions.last().value(SuggestCol::Addition))).isEmpty())
                suggestions.append(QStringList());
            suggestions.last() = QStringList{text, implantName, name.toString()};
        }
    }
    suggestTable.replaceRowsFrom(1, suggestions);
}

} // namespace ludra
