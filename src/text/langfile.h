#pragma once

#include <QHash>
#include <QString>

#include <memory>

namespace ludra {

// A language file read into memory: sections of key=value lines. Section and
// key names match without regard to letter case; ";" starts a comment line;
// blanks around a line and around its "=" are ignored; a value is the rest of
// the line as written, commas and quotes included. Of a key given twice in a
// section (or in two sections of the same name) the first counts.
class TLangFile
{
public:
    static constexpr const char *FileName = "english.ini";

    // Reads the text of a language file.
    static std::unique_ptr<TLangFile> fromText(QStringView text);

    // The value of a key in a section; defaultValue when the file has no such
    // key.
    QString value(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    bool hasSection(const QString &section) const;
    // The number of keys held, all sections together.
    int keyCount() const;

private:
    QHash<QString, QHash<QString, QString>> m_sections;
};

// The program's language file (LangFile): nothing until LangOpen found one.
const TLangFile *LangFile();

// Opens the language file of that name among the shipped files (the user's own copy first) (LangOpen): the
// program's language file is then that file, or nothing when there is none.
void LangOpen(const QString &fileName = QLatin1String(TLangFile::FileName));

} // namespace ludra
