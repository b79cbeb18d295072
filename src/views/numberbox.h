#pragma once

#include <QAbstractSpinBox>

class QValidator;

namespace ludra {

// A validator for a whole number from 0 to maximum as it is typed: digits
// alone, and no more of them than maximum has, so that no impossible text can
// be entered. Whether the number is in its range is for the one reading it to
// say, naming the field and the range.
QValidator *MakeDigitsValidator(int maximum, QObject *parent);

// A number box with an up-down: the text is whatever the user typed (typing
// lets through only digits, Enter and Backspace; pasted text is not filtered
// unless limitDigits() was asked for), and the arrows step from the number in
// the box within their range. The range limits only the stepping: typed text
// is never clamped.
class NumberBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    NumberBox(int minimum, int maximum, const QString &text, QWidget *parent = nullptr);

    void setText(const QString &text);
    // From now on the box takes, typed or pasted, only the digits
    // MakeDigitsValidator(maximum) takes; what setText sets is shown as it is
    // (for a minimum of 0 or more).
    void limitDigits();

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QValidator::State validate(QString &input, int &pos) const override;

    // Whether a typed character passes the number boxes' key filter.
    static bool acceptsTypedCharacter(QChar ch);

Q_SIGNALS:
    // The text changed, however: typed, pasted, stepped or set.
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int position() const;

    int m_minimum;
    int m_maximum;
    int m_position;
    QValidator *m_digits = nullptr;
};

} // namespace ludra
