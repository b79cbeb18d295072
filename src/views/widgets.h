#pragma once

#include <QList>
#include <QObject>

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QLabel>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QAbstractItemModel;
class QTableView;
class QWidget;

namespace ludra {

class TextTable;
class TextTableModel;

// Row height of every grid, header rows included.
inline constexpr int GridRowHeight = 21;

// Gives a control its name, the name the language file and the tests use. A
// control whose visible text says what it is (a button, a check box, a group
// box with its title) needs nothing more: a screen reader reads that text,
// so it follows the language file.
template <typename W>
W *Named(W *widget, const QString &objectName)
{
    widget->setObjectName(objectName);
    return widget;
}

// The same for a control without a visible text of its own (a grid, an icon
// button, a drop-down, a number box beside its label), with the name a
// screen reader announces. The language file can replace that name too
// ("window.control.AccessibleName").
template <typename W>
W *Named(W *widget, const QString &objectName, const QString &accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

// A plain-text label.
QLabel *MakeLabel(const QString &text, QWidget *parent, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A label whose text shows state (a count, a warning, a status): a screen
// reader reads its text, and its purpose is its accessible description.
QLabel *MakeStateLabel(const QString &text, const QString &objectName, const QString &purpose, QWidget *parent);

// OK and Cancel of a dialog, accepting and rejecting it: OK named okName,
// Cancel "btnCancel", the box named boxName when one is given.
QDialogButtonBox *MakeOkCancelButtons(QDialog *dialog, const QString &okName = QStringLiteral("btnOK"),
                                      const QString &boxName = QString());

// The image of a marker code (0 to 13).
QIcon MarkerIcon(int code);

// The program's own icon, in the sizes a window shows it (16 to 64 pixels).
QIcon LudraIcon();

// The red of a warning (a duplicate, a requirement above what is allowed):
// pure red on a light palette, a lighter red that stays readable on a dark
// one. The same red wherever the program warns.
QColor WarningRed(const QPalette &palette);
// The application's palette's warning red.
QColor WarningRed();
// Shows a label's text in bold, in the warning red of its palette.
void ShowAsWarning(QLabel *label);
// Whether a palette is dark: its base (the background of grids and boxes)
// darker than the middle.
bool IsDarkPalette(const QPalette &palette);

// A read-only grid showing a result table: its row 0 as the column headers,
// no row headers, rows of GridRowHeight, grid lines, one cell selected at a
// time, and headers that do not sort when clicked. Each column is at least as
// wide as given and wide enough to show its header whole.
QTableView *MakeResultGrid(const TextTable &table, const QString &objectName, const QString &accessibleName,
                           const QList<int> &widths, QWidget *parent);
// Widens each column of a result grid to its longest cell and its header,
// never below its design width, so every text reads whole; then spreads the
// room the grid has beyond them over the columns in proportion. Returns the
// widths before the spreading.
QList<int> FitResultColumns(QTableView *grid, const QList<int> &widths);
// Sets the columns to the widths, each widened in proportion so that
// together they fill the grid's width when it is wider.
void SpreadColumns(QTableView *grid, const QList<int> &widths);

// Fits a result grid's columns whenever it is shown.
class ResultGridFitter : public QObject
{
    Q_OBJECT

public:
    ResultGridFitter(QTableView *grid, QList<int> widths);
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Measures the columns afresh (new contents).
    void fit();
    // Measures them again whenever the model takes new contents.
    void follow(QAbstractItemModel *model);

private:
    QTableView *m_grid;
    QList<int> m_widths;
    QList<int> m_fitted;
};

// The same over a model of the caller's, for a table that shows more than its
// texts; the grid takes the model over.
QTableView *MakeResultGrid(TextTableModel *model, const QString &objectName, const QString &accessibleName,
                           const QList<int> &widths, QWidget *parent);
// Shows another table in a result grid (the results of another document):
// the grid takes the model, the old one goes, and the columns fit it.
void ShowResultTable(QTableView *grid, TextTableModel *model);

} // namespace ludra
