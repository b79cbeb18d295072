#include "views/pageholder.h"

#include <QVBoxLayout>

namespace ludra {

PageHolder::PageHolder(const QString &objectName, std::function<QWidget *()> make, QWidget *parent)
    : QWidget(parent), m_make(std::move(make))
{
    setObjectName(objectName);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWidget *PageHolder::page()
{
    if (!m_page) {
        m_page = m_make();
        layout()->addWidget(m_page);
        Q_EMIT pageMade(m_page);
    }
    return m_page;
}

void PageHolder::showEvent(QShowEvent *event)
{
    page();
    QWidget::showEvent(event);
}

} // namespace ludra
