// libFuzzer target: any bytes as the language file must read without a crash
// or undefined behaviour, and what the reader gives must keep its rules: no
// value holds a line end or blanks at its ends, names match without regard
// to case, and a file without "=" holds no keys.

#include "text/langfile.h"
#include "text/messages.h"
#include "fuzzsupport.h"

#include <cstdint>
#include <cstdlib>

namespace {

// A value as the reader gives it: one line, nothing at or below a blank at
// either end.
void checkValue(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        std::abort();
    if (!value.isEmpty() && (value.front().unicode() <= 32 || value.back().unicode() <= 32))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Opened from the base folder as the program opens it at start-up.
    static const QString path = [] {
        ludra::fuzz::UseWorkDirAsBase();
        return ludra::ReferenceFile(QLatin1String(ludra::TLangFile::FileName));
    }();
    ludra::fuzz::WriteFile(path, QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    ludra::LangOpen();
    const ludra::TLangFile *file = ludra::LangFile();
    if (file == nullptr)
        std::abort();
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    if (file->keyCount() < 0 || (!text.contains(u'=') && file->keyCount() != 0))
        std::abort();

    const QString none = QStringLiteral("\x01none");
    checkValue(file->value(QStringLiteral("SETTINGS"), QStringLiteral("Font")));
    checkValue(file->value(QStringLiteral("settings"), QStringLiteral("charset")));
    if (file->hasSection(QStringLiteral("misc")) != file->hasSection(QStringLiteral("MISC")))
        std::abort();
    for (const ludra::MessageDef &message : ludra::Msg::All) {
        const QString key = QLatin1String(message.key);
        const QString value = file->value(QStringLiteral("Misc"), key, none);
        if (value != file->value(QStringLiteral("mISC"), key.toLower(), none))
            std::abort();
        if (value != none)
            checkValue(value);
    }
    checkValue(file->value(QStringLiteral("frmLudra"), QStringLiteral("frmLudra.btnBuild.Caption")));
    return 0;
}
