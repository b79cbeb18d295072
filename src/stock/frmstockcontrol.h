#pragma once

#include "stock/stockwindowstock.h"

#include <QDialog>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace ludra {

class Prompter;

// The stock control window: the user records the clusters and implants they
// own and deletes them again. It keeps its own copy of the stock register,
// built from "data.csv" and "default.stk" in their folders when it
// opens, and writes it back to "default.stk" once when it closes, however it
// is closed.
class TfrmStockControl : public QDialog
{
    Q_OBJECT

public:
    // The size of the client area.
    static constexpr int ClientWidth = 601;
    static constexpr int ClientHeight = 369;

    explicit TfrmStockControl(Prompter &prompter, QWidget *parent = nullptr);

    const StockRegister &stock() const { return m_stock.stock(); }
    // Whether the clusters (not the implants) are shown.
    bool showingClusters() const { return m_showingClusters; }

    // The first row of the grid, from row 0, selected in column 0; -1 when
    // none is.
    static int SelectedRow(const QTableWidget *grid);

    // Writes the register to the stock file, once, then closes.
    void done(int result) override;

public Q_SLOTS:
    // The view selector was chosen from.
    void cmbViewChange();
    void btnAddItemClick();
    // "&Delete Item" and "&Delete" of the item list's menu.
    void btnDeleteItemClick();

private:
    void createControls();
    void createMenu();
    void ShowClusters();
    void ShowImplants();
    void showEntries(const QList<StockEntry> &entries);
    // Shows the items of entry row `entry` of the view shown.
    void FillItems(int entry);
    QList<StockEntry> &shownEntries();
    // Whether the items grid holds only the blank row of an entry without
    // items: its first row has no quality.
    bool itemsBlank() const;
    void selectItemRow(int row);
    void setCell(QTableWidget *grid, int row, int column, const QString &text);
    void showAddEnabled();
    // Shows why there are no clusters, when the catalogue could not be read.
    QString catalogueNote() const;

    Prompter &m_prompter;
    StockWindowStock m_stock;
    bool m_creating = true;
    bool m_showingClusters = true;
    bool m_filling = false;
    bool m_written = false;

    QComboBox *cmbView = nullptr;
    QTableWidget *grdEntries = nullptr;
    QTableWidget *grdItems = nullptr;
    QPushButton *btnDeleteItem = nullptr;
    QGroupBox *grpAddItem = nullptr;
    QLineEdit *edtQuality = nullptr;
    QLineEdit *edtCost = nullptr;
    QComboBox *cmbType = nullptr;
    QPushButton *btnAddItem = nullptr;
    QPushButton *btnClose = nullptr;
    QLabel *lblCatalogueNote = nullptr;
    QMenu *mnuItems = nullptr;
    QAction *Delete1 = nullptr;
};

} // namespace ludra
