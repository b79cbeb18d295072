#pragma once

#include <QComboBox>
#include <QStringList>

// The texts of a drop-down's entries, in order.
inline QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}
