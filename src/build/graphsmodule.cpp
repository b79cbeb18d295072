// The entry of the graphs module: the main window asks it for its Graphs
// window (MakeGraphsWindow). Everything else the window needs it takes from
// the program that loads it.

#include "build/frmgraphs.h"

extern "C" Q_DECL_EXPORT ludra::GraphsWindow *ludra_make_graphs_window(ludra::Prompter &prompter, QWidget *parent)
{
    return new ludra::TfrmGraphs(prompter, parent);
}
