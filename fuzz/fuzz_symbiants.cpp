// libFuzzer target: any bytes as "symbiants.csv", read by the loader the
// program calls. They must read without a crash or undefined behaviour, and
// what is read must keep the table's rules: every line read or counted as
// skipped (blank lines and the header aside), every field in its range, every
// symbiant found again by its title and in its slot, and the table's own
// lines reading back as the same table with nothing skipped.

#include "common/paths.h"
#include "common/text.h"
#include "data/nano.h"
#include "data/symbiants.h"
#include "fuzzsupport.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QString &filePath()
{
    static const QString path = [] {
        ludra::fuzz::UseWorkDirAsBase();
        return ludra::ReferenceFile(ludra::RefFile::Symbiants);
    }();
    return path;
}

// The lines a table of these lines must account for: all but blank lines and
// a header.
qsizetype linesToRead(const QStringList &lines)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (ludra::TrimCtl(QStringView(lines.at(i))).isEmpty())
            continue;
        if (i == 0 && ludra::FieldReader(lines.at(i)).next().compare(u"Name", Qt::CaseInsensitive) == 0)
            continue;
        ++count;
    }
    return count;
}

bool inRange(qint64 value, qint64 min, qint64 max)
{
    return value >= min && value <= max;
}

void check(const ludra::Symbiant &s, const ludra::SymbiantTable &table)
{
    const int slotCount = int(ludra::BodySlotNames().size());
    if (s.name.isEmpty() || s.name != ludra::TrimCtl(s.name) || !inRange(s.slot, 0, slotCount - 1)
        || !inRange(s.level, 1, 300) || !inRange(s.characterLevel, 1, ludra::CharacterLevelMax)
        || !inRange(s.treatment, 0, 100000))
        std::abort();
    for (qint64 need : s.abilities)
        if (!inRange(need, 0, 100000))
            std::abort();
    for (const QString &profession : s.professions) {
        const int index = ludra::ProfessionIndex(profession);
        if (index < 0 || ludra::ProfessionNames().at(index) != profession || !s.allows(index))
            std::abort();
    }
    if (!s.professions.isEmpty() && s.allows(-1))
        std::abort();
    for (const ludra::SymbiantBonus &bonus : s.bonuses)
        if (bonus.skill.isEmpty() || bonus.amount == 0 || !inRange(bonus.amount, -100000, 100000))
            std::abort();
    if (table.find(s.title()) != &s || !table.forSlot(s.slot).contains(&s))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ludra::fuzz::WriteFile(filePath(), bytes);
    const std::optional<ludra::SymbiantTable> table = ludra::SymbiantTable::load(ludra::BodySlotNames());
    if (!table)
        std::abort();
    const QStringList lines = ludra::SplitLines(bytes.toByteArray());
    if (table->all().size() + table->skipped() != linesToRead(lines))
        std::abort();
    qsizetype inSlots = 0;
    for (int slot = 0; slot < int(ludra::BodySlotNames().size()); ++slot)
        inSlots += table->forSlot(slot).size();
    if (inSlots != table->all().size())
        std::abort();
    for (const ludra::Symbiant &s : table->all())
        check(s, *table);

    const ludra::SymbiantTable again =
        ludra::SymbiantTable::parse(table->lines(ludra::BodySlotNames()), ludra::BodySlotNames());
    if (again.skipped() != 0 || again.all() != table->all())
        std::abort();
    return 0;
}
