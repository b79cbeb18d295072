#pragma once

#include <QComboBox>

namespace ludra {

// A drop-down list whose open list is as wide as its longest entry, however
// narrow the box (a side panel's column, a style with wide margins or a large
// font), and whose box, when its entry does not fit, shows the whole entry as
// a tooltip (unless the box has a tooltip of its own). The tooltip is shown,
// not set, so it is no text of the window for a language file. The list is measured when it opens, not as entries are added,
// so a list of hundreds of names costs nothing until it is opened.
class FittingComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit FittingComboBox(QWidget *parent = nullptr);

    void showPopup() override;

    // Whether the box shows its current entry whole.
    bool showsWholeText() const;
    // What the box's tooltip shows: its own tooltip, else the current entry
    // when it is cut, else nothing.
    QString shownToolTip() const;

protected:
    bool event(QEvent *event) override;
};

} // namespace ludra
