#include "text/langfile.h"

#include "common/collation.h"
#include "common/paths.h"
#include "common/text.h"

#include <QFileInfo>

namespace ludra {

namespace {

std::unique_ptr<TLangFile> &programLangFile()
{
    static std::unique_ptr<TLangFile> file;
    return file;
}

} // namespace

std::unique_ptr<TLangFile> TLangFile::fromText(QStringView text)
{
    auto file = std::make_unique<TLangFile>();
    QHash<QString, QString> *section = nullptr;
    ForEachLine(text, [&](QStringView rawLine) {
        const QStringView line = TrimCtl(rawLine);
        if (line.isEmpty() || line.startsWith(u';'))
            return;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = &file->m_sections[CaseKey(TrimCtl(line.sliced(1, line.size() - 2)))];
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!section || equals < 0)
            return;
        const QString key = CaseKey(TrimCtl(line.first(equals)));
        if (!section->contains(key))
            section->insert(key, TrimCtl(line.sliced(equals + 1)).toString());
    });
    return file;
}

QString TLangFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const auto found = m_sections.constFind(CaseKey(section));
    if (found == m_sections.constEnd())
        return defaultValue;
    return found->value(CaseKey(key), defaultValue);
}

bool TLangFile::hasSection(const QString &section) const
{
    return m_sections.contains(CaseKey(section));
}

int TLangFile::keyCount() const
{
    int keys = 0;
    for (const auto &section : m_sections)
        keys += int(section.size());
    return keys;
}

const TLangFile *LangFile()
{
    return programLangFile().get();
}

void LangOpen(const QString &fileName)
{
    programLangFile().reset();
    const QString path = ReferenceFile(fileName);
    if (!QFileInfo::exists(path))
        return;
    if (const std::optional<QString> text = ReadText(path))
        programLangFile() = TLangFile::fromText(*text);
}

} // namespace ludra
