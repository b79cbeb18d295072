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

// The lenient parse used for the skill increase file: empty text gives 0; text
// starting with "-" is converted as it stands; any other text is converted with
// "0" in front; whatever fails gives 0. So spaces, "+" and decimal points give 0.
int SafeStrToInt(const QString &text);

} // namespace ludra
