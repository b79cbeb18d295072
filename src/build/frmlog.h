#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QPushButton;
class QTableWidget;

namespace ludra {

// The build log window: the failure lines of the last build, one per row of a
// one-column grid, from the first row; a single blank row when there are
// none. OK closes it.
class TfrmLog : public QDialog
{
    Q_OBJECT

public:
    // The width the log's column never goes below.
    static constexpr int LogColumnWidth = 360;

    // print, when given, prints the lines ("Print"); without it the button
    // is there and disabled.
    explicit TfrmLog(const QStringList &lines, QWidget *parent = nullptr, std::function<void()> print = {});

private:
    QTableWidget *grdLog = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnOK = nullptr;
};

} // namespace ludra
