#include "views/numberbox.h"

#include "common/numbers.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace ludra {

QValidator *MakeDigitsValidator(int maximum, QObject *parent)
{
    const qsizetype digits = QString::number(std::max(maximum, 0)).size();
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), parent);
}

NumberBox::NumberBox(int minimum, int maximum, const QString &text, QWidget *parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(std::max(minimum, maximum)), m_position(minimum)
{
    setText(text);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberBox::textChanged);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void NumberBox::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void NumberBox::limitDigits()
{
    if (!m_digits)
        m_digits = MakeDigitsValidator(m_maximum, this);
}

int NumberBox::position() const
{
    // Like an up-down tied to an edit box: it picks up the number in the box
    // when that is a number, otherwise it keeps its own last position.
    int value = 0;
    if (TryStrToInt(text(), value))
        return std::clamp(value, m_minimum, m_maximum);
    return m_position;
}

void NumberBox::stepBy(int steps)
{
    const qint64 next = std::clamp<qint64>(qint64(position()) + steps, m_minimum, m_maximum);
    m_position = int(next);
    setText(QString::number(m_position));
    lineEdit()->selectAll();
}

QSize NumberBox::sizeHint() const
{
    // Room for the largest number the arrows reach, and a digit more of what
    // may be typed beyond it.
    ensurePolished();
    const qsizetype digits = std::max<qsizetype>(QString::number(m_maximum).size() + 1, 4);
    const int textWidth = fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('9')));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize contents(textWidth + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
}

QSize NumberBox::minimumSizeHint() const
{
    return sizeHint();
}

QValidator::State NumberBox::validate(QString &input, int &pos) const
{
    return m_digits ? m_digits->validate(input, pos) : QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    const int current = position();
    StepEnabled enabled = StepNone;
    if (current < m_maximum)
        enabled |= StepUpEnabled;
    if (current > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

bool NumberBox::acceptsTypedCharacter(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QChar(13) || ch == QChar(8);
}

void NumberBox::keyPressEvent(QKeyEvent *event)
{
    // Shortcuts (copy, paste, undo) and editing keys (arrows, Delete, Tab)
    // behave as in any box; only printable characters are filtered.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcut) {
        for (const QChar ch : event->text()) {
            if (ch.isPrint() && !acceptsTypedCharacter(ch)) {
                event->accept();
                return;
            }
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace ludra
