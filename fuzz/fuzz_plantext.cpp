// libFuzzer target: a plan's text, as "Paste Plan" reads the clipboard and
// ludra-batch --layout reads a file (as UTF-8), over the shipped catalogue.
// The input is the text. Any text must read without a crash or undefined
// behaviour, and what is read must keep the reader's rules: a place for every
// body slot, every record placed one of the catalogue's that goes into its
// slot as its type, every problem naming a line of the text (or alone saying
// that no line names a slot). The plan read is then placed into a layout as
// the program places it: the layout's plan must hold exactly those records,
// and the plan's text written from it must read back with no problem as the
// same plan, and write the same text again. The labelled lines, symbiants
// from the shipped table among them, must read back as they were read.

#include "build/planlabels.h"
#include "common/text.h"
#include "data/nano.h"
#include "data/referencefiles.h"
#include "data/symbiants.h"
#include "layout/layoutstate.h"
#include "layout/plantext.h"
#include "layout/skilllists.h"

#include <QFile>
#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace ludra;

namespace {

// The shipped catalogue and a layout over it, made once: placing a plan
// writes every cell, so nothing of one input stays for the next.
struct Catalogue
{
    TNanoList list;
    QSet<const TNano *> records;
    LayoutState layout;
    // The catalogue's skills and the shipped symbiants, for the labelled
    // lines.
    SkillLists skills;
    SymbiantTable symbiants;
};

Catalogue &catalogue()
{
    static Catalogue *loaded = [] {
        auto *c = new Catalogue;
        UnknownCounter counter;
        if (!ReadCatalogue(QStringLiteral(LUDRA_SHIPPED_DIR "/") + RefFile::Catalogue, counter, c->list)
            || c->list.count() == 0)
            std::abort();
        for (int i = 0; i < c->list.count(); ++i)
            c->records.insert(c->list.at(i));
        c->layout.setCatalogue(c->list);
        QList<SkillEntry> entries;
        for (int i = 0; i < c->list.count(); ++i)
            entries.append(SkillEntry{c->list.name(i), c->list.at(i)});
        c->skills.assignAvailable(entries);
        c->layout.skills() = c->skills;
        QFile file(QStringLiteral(LUDRA_SHIPPED_DIR "/") + RefFile::Symbiants);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        c->symbiants = SymbiantTable::parse(QString::fromUtf8(file.readAll()).split(u'\n'), BodySlotNames());
        if (c->symbiants.all().isEmpty())
            std::abort();
        return c;
    }();
    return *loaded;
}

// The problem names a line of the text: "Line N: " with N from 1 to lines.
bool namesALine(const QString &problem, int lines)
{
    if (!problem.startsWith(QLatin1String("Line ")))
        return false;
    const qsizetype colon = problem.indexOf(QLatin1String(": "));
    bool ok = false;
    const int line = colon < 0 ? 0 : QStringView(problem).sliced(5, colon - 5).toInt(&ok);
    return ok && line >= 1 && line <= lines;
}

int lineCount(const QString &text)
{
    int lines = 0;
    ForEachLine(text, [&lines](QStringView) { ++lines; });
    return lines;
}

void checkReading(const PlanReading &reading, const Catalogue &c, const QString &text)
{
    const QStringList &bodySlots = BodySlotNames();
    if (reading.placed.size() != bodySlots.size())
        std::abort();
    for (int slot = 0; slot < int(bodySlots.size()); ++slot) {
        for (int type = 0; type < ClusterTypeCount; ++type) {
            const TNano *nano = reading.placed.at(slot)[std::size_t(type)];
            if (nano && (!c.records.contains(nano) || NanoSlot(*nano, type + 1) != bodySlots.at(slot)))
                std::abort();
        }
    }
    const int lines = lineCount(text);
    const QString noSlot = QStringLiteral("No line names a body slot.");
    for (const QString &problem : reading.problems)
        if (!(problem == noSlot ? reading.problems.size() == 1 : namesALine(problem, lines)))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Catalogue &c = catalogue();
    // A slot holding a symbiant takes no cluster: none stays from the input
    // before.
    for (int slot = 0; slot < BodySlotCount; ++slot)
        c.layout.setSymbiant(slot, QString());
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const PlanReading reading = ReadPlanText(text, c.list, BodySlotNames());
    checkReading(reading, c, text);
    const int lines = lineCount(text);

    // Placed whatever its problems, as a check of the placing; the program
    // places only a text read without one.
    PlacePlan(c.layout, reading);
    const Plan &plan = c.layout.plan();
    for (int slot = 0; slot < BodySlotCount; ++slot)
        for (int type = 0; type < ClusterTypeCount; ++type) {
            const PlanCell &cell = plan.cell(slot, type);
            const TNano *nano = reading.placed.at(slot)[std::size_t(type)];
            if (nano ? cell.nano() != nano : !cell.isEmpty())
                std::abort();
        }

    const QString written = PlanText(c.layout);
    const PlanReading again = ReadPlanText(written, c.list, BodySlotNames());
    if (!again.problems.isEmpty() || again.placed != reading.placed)
        std::abort();
    PlacePlan(c.layout, again);
    if (PlanText(c.layout) != written)
        std::abort();

    // The labelled lines: every problem names a line, and what reads is
    // what the text written from it reads as again.
    const PlanLabels labels = ReadPlanLabels(reading, c.skills, &c.symbiants);
    for (const QString &problem : labels.problems)
        if (!namesALine(problem, lines))
            std::abort();
    if (!labels.problems.isEmpty())
        return 0;
    c.layout.skills() = c.skills;
    PlaceLabelledPlan(c.layout, reading, labels);
    // Every symbiant worn is one of the table's, in its own slot; the
    // clusters are the text's in every slot.
    for (int slot = 0; slot < BodySlotCount; ++slot) {
        const QString &title = plan.symbiant(slot);
        const Symbiant *symbiant = title.isEmpty() ? nullptr : c.symbiants.find(title);
        if (!title.isEmpty() && (!symbiant || symbiant->slot != slot || symbiant->title() != title))
            std::abort();
        for (int type = 0; type < ClusterTypeCount; ++type)
            if (plan.cell(slot, type).nano() != reading.placed.at(slot)[std::size_t(type)])
                std::abort();
    }
    const BuildSettings settings = PlanLabelSettings(labels, BuildSettings());
    const PlanReading labelled = ReadPlanText(LabelledPlanText(c.layout, settings), c.list, BodySlotNames());
    const PlanLabels read = ReadPlanLabels(labelled, c.skills, &c.symbiants);
    if (!labelled.problems.isEmpty() || !read.problems.isEmpty() ||
        !(PlanLabelSettings(read, BuildSettings()) == settings) ||
        read.skills.value_or(QStringList()) != labels.skills.value_or(QStringList()) ||
        (labels.symbiants && read.symbiants != labels.symbiants))
        std::abort();
    return 0;
}
