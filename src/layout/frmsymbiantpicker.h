#pragma once

#include "data/character.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace ludra {

struct Symbiant;

// "Use Symbiant": the symbiants of one body slot in a table, with a search
// box over their names. Each row gives the symbiant's name, whether the
// character can wear it ("yes", or what is missing), its quality level,
// Treatment, character level, the abilities and professions it asks for, and
// its bonus to each skill of the plan's selected list. The ones the character
// cannot wear are shown greyed, their "Wearable" cell in the warning red.
// Any column sorts by a click on its heading. OK (or a double click, or
// Enter) takes the chosen row; it is held back while none is chosen.
class TfrmSymbiantPicker : public QDialog
{
    Q_OBJECT

public:
    // The slot's name (HEAD, ...) and its symbiants, which must outlive the
    // dialog; current is the title the slot holds now (chosen at the start),
    // skills the selected skills by the catalogue's skill names.
    TfrmSymbiantPicker(const QString &slotName, const QList<const Symbiant *> &symbiants, const QString &current,
                       const QStringList &skills, const Character &character, QWidget *parent = nullptr);

    // The title of the symbiant OK took; empty before.
    const QString &chosen() const { return m_chosen; }

public Q_SLOTS:
    void accept() override;

private:
    // The symbiant of the row chosen in the table; nullptr for none.
    const Symbiant *selectedSymbiant() const;
    void showChoice();

    QList<const Symbiant *> m_symbiants;
    QString m_chosen;
    QSortFilterProxyModel *m_proxy = nullptr;
    QLineEdit *edtSearch = nullptr;
    QTableView *grdSymbiants = nullptr;
    QPushButton *btnOK = nullptr;
};

} // namespace ludra
