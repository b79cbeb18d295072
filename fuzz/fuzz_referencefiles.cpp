// libFuzzer target: the reference files and the options file, read from a
// base folder by the loaders the program calls at start-up. The input is cut
// at its first four NUL bytes into the catalogue ("data.csv"), the recipe
// file ("SecSkill.csv"), the requirement file ("require.csv"), the skill
// increase file ("skillreq.dat") and the options file ("nnludra.inf"); files
// the input has no part for are empty. (The whole input used to be the last
// two files as well; reading it three times cost a quarter of the run.) Any
// bytes must read without a crash or undefined behaviour, and what is read
// must keep its rules: one record per line of each
// file, no blank names, every recipe found again by its name and by its
// clusters no later than itself, and a short skill increase file giving the
// built-in values and replaced by a file that reads back the same.

#include "model/options.h"
#include "common/paths.h"
#include "common/text.h"
#include "data/referencedata.h"
#include "fuzzsupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

namespace {

// Writes one of the files into the base folder of the run.
void writeFile(const QString &name, QByteArrayView bytes)
{
    ludra::fuzz::WriteFile(ludra::fuzz::UseWorkDirAsBase() + QLatin1Char('/') + name, bytes);
}

// The number of lines the readers see in 8-bit bytes, counted on the bytes
// themselves: a line ends at CR LF, a lone CR or a lone LF, and a last line
// without an end counts.
int lineCount(QByteArrayView bytes)
{
    int lines = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] == '\r') {
            ++lines;
            if (i + 1 < size && bytes[i + 1] == '\n')
                ++i;
        } else if (bytes[i] == '\n') {
            ++lines;
        }
    }
    if (size > 0 && bytes[size - 1] != '\r' && bytes[size - 1] != '\n')
        ++lines;
    return lines;
}

// The table read first as the program reads it at start-up.
void checkSkillReq(const QByteArrayView file, const ludra::TSkillReq &first)
{
    for (int i = 0; i < ludra::TSkillReq::Count; ++i) {
        int value = 0;
        if (!first.lookup(i / ludra::TSkillReq::Columns + 1, i % ludra::TSkillReq::Columns, value)
            || value != first.at(i))
            std::abort();
    }
    if (first.at(-1) != 0 || first.at(ludra::TSkillReq::Count) != 0)
        std::abort();
    // A short file gives the built-in values and is replaced by a file of
    // them, which the next start reads the same.
    if (lineCount(file) >= 24)
        return;
    if (!(first == ludra::TSkillReq()))
        std::abort();
    ludra::ReferenceData second;
    QString error;
    if (!second.loadSkillReq(&error) || !(second.skillReq() == first))
        std::abort();
    QFile written(ludra::UserFile(ludra::RefFile::SkillIncrease));
    if (!written.open(QIODevice::ReadOnly) || lineCount(written.readAll()) != ludra::TSkillReq::Count)
        std::abort();
}

void checkOptions(const QByteArrayView file)
{
    // The program reads its options once; every input is a new start.
    ludra::LoadProgramOptions();
    const QStringList options = ludra::ReadOptions();
    if (options.size() != lineCount(file))
        std::abort();
    const bool autoLoad = ludra::AutoLoadOption(options);
    if (autoLoad != (options.size() >= 2 && options.at(0) == QLatin1String("1")))
        std::abort();
    // Without the auto-load asked for, the path is empty before any look at
    // line 2; the file is read once more, for the path, only when line 1
    // asks for it, to keep the work per input small.
    if (!autoLoad)
        return;
    const QString path = ludra::AutoLoadPath();
    if (!path.isEmpty() && !QFileInfo(path).isFile())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView whole(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArrayView parts[5];
    QByteArrayView rest = whole;
    int part = 0;
    for (; part < 4; ++part) {
        const qsizetype nul = rest.indexOf('\0');
        if (nul < 0)
            break;
        parts[part] = rest.first(nul);
        rest = rest.sliced(nul + 1);
    }
    parts[part] = rest; // the parts after it stay empty
    writeFile(ludra::RefFile::Catalogue, parts[0]);
    writeFile(ludra::RefFile::SecSkills, parts[1]);
    writeFile(ludra::RefFile::Requirements, parts[2]);
    writeFile(ludra::OptionsFileName, parts[4]);

    // The order of start-up: the skill increase table, then the catalogue,
    // the recipes and the requirements sharing one counter of blank names.
    // A skill increase file of fewer than 24 lines is not read past its line
    // count: the built-in values are taken and written over it. That is the
    // same for every short input, and the write took two fifths of a short
    // input's time, so it is done for the first short input only; every
    // longer input is read as the skill increase file.
    ludra::ReferenceData ref;
    static bool shortSkillReqDone = false;
    const bool longSkillReq = lineCount(parts[3]) >= 24;
    if (longSkillReq || !shortSkillReqDone) {
        shortSkillReqDone = shortSkillReqDone || !longSkillReq;
        writeFile(ludra::RefFile::SkillIncrease, parts[3]);
        QString error;
        if (!ref.loadSkillReq(&error))
            std::abort();
        checkSkillReq(parts[3], ref.skillReq());
    }
    if (!ref.loadCatalogue() || !ref.loadSecSkills() || !ref.loadRequirements())
        std::abort();

    const ludra::TNanoList &nanos = ref.nanoList();
    if (nanos.count() != lineCount(parts[0]))
        std::abort();
    for (int i = 0; i < nanos.count(); ++i) {
        const ludra::TNano *nano = nanos.at(i);
        if (nano == nullptr || nano->ClusterName.isEmpty() || nanos.name(i) != nano->SkillName)
            std::abort();
    }
    if (nanos.at(-1) != nullptr || nanos.at(nanos.count()) != nullptr)
        std::abort();
    const QList<ludra::SkillEntry> entries = ref.skillEntries();
    if (entries.size() != nanos.count())
        std::abort();
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries.at(i).nano != nanos.at(i) || entries.at(i).name != nanos.at(i)->SkillName)
            std::abort();
    }

    const ludra::TSecSkills &recipes = ref.secSkills();
    const int count = recipes.count();
    if (count != lineCount(parts[1]))
        std::abort();
    for (int i = 0; i < count; ++i) {
        const QStringView name = recipes.SecSkillNames(i);
        const QStringView bright = recipes.SecSkillBright(i);
        const QStringView faded = recipes.SecSkillFaded(i);
        const QStringView shining = recipes.SecSkillShining(i);
        if (name.isEmpty())
            std::abort();
        const int named = recipes.firstNamed(name);
        const int holding = recipes.firstHolding(bright, faded, shining);
        if (named < 0 || named > i || recipes.SecSkillNames(named) != name)
            std::abort();
        if (holding < 0 || holding > i || recipes.SecSkillBright(holding) != bright
            || recipes.SecSkillFaded(holding) != faded || recipes.SecSkillShining(holding) != shining)
            std::abort();
    }
    if (!recipes.SecSkillNames(-1).isEmpty() || !recipes.SecSkillShining(count).isEmpty())
        std::abort();

    const ludra::RequirementList &requirements = ref.requirements();
    if (requirements.size() != lineCount(parts[2]))
        std::abort();
    for (const ludra::Requirement &requirement : requirements) {
        if (requirement.cluster.isEmpty())
            std::abort();
    }

    checkOptions(parts[4]);
    return 0;
}
