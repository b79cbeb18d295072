#pragma once

#include <QWidget>

#include <functional>

namespace ludra {

// A tab page that makes its contents when it is first shown, or first asked
// for: pages the window does not show at start-up cost nothing until then.
// It goes by the page's object name (its tab text, its help topic); the page
// it makes fills it.
class PageHolder : public QWidget
{
    Q_OBJECT

public:
    PageHolder(const QString &objectName, std::function<QWidget *()> make, QWidget *parent = nullptr);

    // The page, made now when it was not yet.
    QWidget *page();
    bool made() const { return m_page != nullptr; }

Q_SIGNALS:
    // The page was made and fills the holder.
    void pageMade(QWidget *page);

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<QWidget *()> m_make;
    QWidget *m_page = nullptr;
};

} // namespace ludra
