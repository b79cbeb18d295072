#include "views/fittingcombobox.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace ludra {

FittingComboBox::FittingComboBox(QWidget *parent) : QComboBox(parent) {}

void FittingComboBox::showPopup()
{
    QAbstractItemView *list = view();
    // The longest entry, the list's frame and its scroll bar.
    int width = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        width += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(std::max(width, this->width()));
    QComboBox::showPopup();
}

bool FittingComboBox::showsWholeText() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().horizontalAdvance(currentText()) <= field.width();
}

QString FittingComboBox::shownToolTip() const
{
    if (!toolTip().isEmpty())
        return toolTip();
    return showsWholeText() ? QString() : currentText();
}

bool FittingComboBox::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString tip = shownToolTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip, this);
        return true;
    }
    return QComboBox::event(event);
}

} // namespace ludra
