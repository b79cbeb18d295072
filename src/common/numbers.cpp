#include "common/numbers.h"

#include "common/errors.h"

#include <limits>

namespace ludra {

bool TryStrToInt(QStringView text, int &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;

    // Accumulate towards the negative end so that the most negative value fits.
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < u'0' || u > u'9')
            return false;
        magnitude = magnitude * 10 + (u - u'0');
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    value = int(negative ? -magnitude : magnitude);
    return true;
}

std::optional<int> ZeroPrefixedNumber(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(QLatin1Char('0') + text, value))
        return std::nullopt;
    return value;
}

namespace {

[[noreturn]] void throwNotAnInteger(const QString &text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

int StrToInt(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throwNotAnInteger(text);
    return value;
}

EnteredNumber::EnteredNumber(const QString &text) : m_text(text)
{
    int value = 0;
    if (TryStrToInt(text, value))
        m_value = value;
}

int EnteredNumber::value() const
{
    if (!m_value)
        throwNotAnInteger(m_text);
    return *m_value;
}

int SafeStrToInt(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QString candidate = text.startsWith(QLatin1Char('-')) ? text : QLatin1Char('0') + text;
    int value = 0;
    return TryStrToInt(candidate, value) ? value : 0;
}

} // namespace ludra
