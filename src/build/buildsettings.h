#pragma once

#include <QList>
#include <QString>

namespace ludra {

// The individual implant choice of one body slot (an entry of SelImp-Bool and
// SelImp-QL). The quality level stays as the user typed it: the build
// converts it with the strict integer rule, and a failing conversion ends the
// build with its message.
struct ImplantSelection
{
    bool selected = false;
    QString qualityLevel;

    bool operator==(const ImplantSelection &) const = default;
};

// The settings a build reads besides the controls of the Build tab: the
// individual implant selection, one entry per body slot once the user has made
// one, none before.
class BuildSettings
{
public:
    const QList<ImplantSelection> &implantSelections() const { return m_implantSelections; }
    void setImplantSelections(QList<ImplantSelection> selections) { m_implantSelections = std::move(selections); }

    // Back to the state of a new window: no selection made.
    void reset() { m_implantSelections.clear(); }

private:
    QList<ImplantSelection> m_implantSelections;
};

} // namespace ludra
