// libFuzzer target: any bytes as the file of default skill selections must
// give a menu whose every item applies to the skill lists without a crash, an
// access outside a list or undefined behaviour, and a moved skill must leave
// the available list for the selected one.

#include "data/nano.h"
#include "data/referencedata.h"
#include "fuzzsupport.h"
#include "layout/defaultselections.h"
#include "layout/skilllists.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A small catalogue whose names the fuzzer can hit: short, with a doubled
// name and names differing only in case.
const ludra::TNanoList &catalogue()
{
    static const ludra::TNanoList list = [] {
        ludra::TNanoList nanos;
        for (const char *name : {"A", "a", "B", "B", "Burst", "MG & SMG", "x y"}) {
            auto nano = std::make_unique<ludra::TNano>();
            nano->SkillName = QString::fromLatin1(name);
            nano->ClusterName = nano->SkillName;
            nanos.add(std::move(nano));
        }
        return nanos;
    }();
    return list;
}

const QString &menuPath()
{
    static const QString path = [] {
        ludra::fuzz::UseWorkDirAsBase();
        return ludra::ReferenceFile(ludra::PopupMenuFile);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Read from the base folder by the loader the program calls.
    ludra::fuzz::WriteFile(menuPath(), QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    ludra::DefaultSelections menu;
    menu.load();

    QList<ludra::SkillEntry> entries;
    for (int i = 0; i < catalogue().count(); ++i)
        entries.append(ludra::SkillEntry{catalogue().name(i), catalogue().at(i)});
    ludra::SkillLists lists;
    lists.assignAvailable(entries);
    for (const ludra::PopupItem &item : menu.items()) {
        const qsizetype before = lists.available().size() + lists.selected().size();
        const int moved = menu.ClickMenu(item.line, lists);
        if (moved < 0 || lists.available().size() + lists.selected().size() != before)
            std::abort();
    }
    // Indexes that are no heading move nothing.
    if (menu.ClickMenu(-1, lists) != 0 || menu.ClickMenu(int(menu.lines().size()), lists) != 0)
        std::abort();
    return 0;
}
