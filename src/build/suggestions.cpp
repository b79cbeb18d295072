#include "build/suggestions.h"

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

std::optional<QString> Suggestions::attributeOf(const QString &slot) const
{
    for (const ImplantAttribute &implant : attributes)
        if (implant.slot == slot)
            return implant.attribute;
    return std::nullopt;
}

Suggestions BuildSuggestions(const QList<RequirementRow> &rows, const TSecSkills &recipes,
                             const BuildSettings &settings)
{
    const int recipeCount = recipes.count();
    const QStringList &attributeNames = AttributeNames();

    Suggestions found;
    std::vector<bool> done(std::size_t(rows.size()), false);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (done[std::size_t(r)])
            continue;
        const QString &slot = rows.at(r).slot;
        Implant implant;
        for (qsizetype r2 = r; r2 < rows.size(); ++r2) {
            if (done[std::size_t(r2)] || rows.at(r2).slot != slot)
                continue;
            done[std::size_t(r2)] = true;
            implant.place(rows.at(r2).typeName(), RecipeClusterName(rows.at(r2).cluster));
        }

        const int recipe = recipes.firstHolding(implant.bright, implant.faded, implant.shining);
        const QString attribute = recipe < 0 ? QStringLiteral("Unknown") : recipes.SecSkillNames(recipe).toString();
        found.attributes.append(ImplantAttribute{slot, attribute});

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
            SuggestionRow suggestion{text, slot, name.toString()};
            if (!found.rows.isEmpty() && TrimCtl(QStringView(found.rows.last().addition)).isEmpty())
                found.rows.last() = std::move(suggestion);
            else
                found.rows.append(std::move(suggestion));
        }
    }
    return found;
}

} // namespace ludra
