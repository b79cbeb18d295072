#pragma once

#include <QString>

#include <optional>

namespace ludra {

// Strict conversion of a whole number written in decimal, with an optional
// leading sign and nothing else around it. Returns false when the text is not
// such a number or does not fit 32 bits.
bool TryStrToInt(QStringView text, int &value);

// A requirement or maximum as a number: "0" in front, so that empty text
// counts as 0, then the strict rule above. Text with a sign, spaces, a
// decimal point or more digits than fit is no number and gives nothing.
std::optional<int> ZeroPrefixedNumber(const QString &text);

// Strict conversion that ends the command: throws EConvertError with
// "'<text>' is not a valid integer value" when the text is not a number.
int StrToInt(const QString &text);

// A whole number as it was entered: typed into a number box or a dialog's
// cell, or read from a file. The text is read once, by the strict rule above,
// and kept as it was entered, since that is what is shown and stored ("007"
// stays "007", "" stays ""). A text that is no whole number stays as it is:
// nothing is said of it until its value is asked for, and then it ends the
// command with StrToInt's own message, at the moment that conversion would.
class EnteredNumber
{
public:
    EnteredNumber() = default;
    explicit EnteredNumber(const QString &text);

    // The text as entered.
    const QString &text() const { return m_text; }
    // The value, when the text is a whole number.
    std::optional<int> number() const { return m_value; }
    // The value; EConvertError "'<text>' is not a valid integer value" when
    // the text is no whole number.
    int value() const;

    // Two entries are the same when their texts are: "7" and "07" differ, as
    // a project stores them differently.
    bool operator==(const EnteredNumber &other) const { return m_text == other.m_text; }

private:
    QString m_text;
    std::optional<int> m_value;
};

// The lenient parse used for the skill increase file: empty text gives 0; text
// starting with "-" is converted as it stands; any other text is converted with
// "0" in front; whatever fails gives 0. So spaces, "+" and decimal points give 0.
int SafeStrToInt(const QString &text);

} // namespace ludra
