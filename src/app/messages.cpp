#include "app/messages.h"

namespace ludra {

QString LangMsg(const QString &key, const QString &defaultText)
{
    // No language file is read yet, so every key gives its built-in text.
    Q_UNUSED(key);
    return defaultText;
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
