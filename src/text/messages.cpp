#include "text/messages.h"

#include "text/langfile.h"

namespace ludra {

QString LangMsg(const QString &key, const QString &defaultText)
{
    const TLangFile *file = LangFile();
    if (!file)
        return defaultText;
    QString text = file->value(QStringLiteral("Misc"), key);
    if (text.isEmpty())
        return defaultText;
    // "*|*" stands for a line break.
    return text.replace(QLatin1String("*|*"), QLatin1String("\n"));
}

QString LangMsg(const MessageDef &message)
{
    return LangMsg(QLatin1String(message.key), QLatin1String(message.text));
}

QStringList MarkerCaptions()
{
    QStringList captions;
    for (const MessageDef &caption : Msg::MarkerCaptions)
        captions.append(LangMsg(caption));
    return captions;
}

} // namespace ludra
