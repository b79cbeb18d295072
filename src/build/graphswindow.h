#pragma once

#include <QDialog>
#include <QString>

#include <functional>

namespace ludra {

class BuildDocument;
class Prompter;

// The Graphs window as the main window knows it. Its charts come from Qt
// Charts, which only that window uses: it lives in a module of its own that
// is loaded the first time the window is asked for, so that starting Ludra
// loads none of the chart libraries.
class GraphsWindow : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    // The document whose plan the charts show; they follow its plan and its
    // settings from then on.
    virtual void setDocument(BuildDocument *document) = 0;

    // Where the shown plan is kept, asked for when the charts are printed
    // (the page names it under its title).
    void setProjectPath(std::function<QString()> projectPath) { m_projectPath = std::move(projectPath); }

protected:
    QString projectPath() const { return m_projectPath ? m_projectPath() : QString(); }

private:
    std::function<QString()> m_projectPath;
};

// What makes a Graphs window.
using GraphsWindowMaker = GraphsWindow *(*)(Prompter &prompter, QWidget *parent);

// A Graphs window over the parent: made by the maker given to
// SetGraphsWindowMaker when there is one, otherwise by the graphs module,
// loaded from beside the executable (or, installed, from lib/ludra beside
// its folder) the first time. Throws EStreamError, naming the module and the
// reason, when it cannot be loaded.
GraphsWindow *MakeGraphsWindow(Prompter &prompter, QWidget *parent);

// Makes the windows with this maker from now on, in place of the module: for
// a program that has the Graphs window built in (the tests, the example
// language file).
void SetGraphsWindowMaker(GraphsWindowMaker maker);

// The file name of the graphs module, and the name of the function it makes
// the window with.
inline constexpr const char *GraphsModuleName = "ludra-graphs";
inline constexpr const char *GraphsModuleEntry = "ludra_make_graphs_window";

} // namespace ludra
