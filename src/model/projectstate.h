#pragma once

#include "storage/projectfile.h"

#include <QList>

namespace ludra {

class BuildResults;
class BuildSettings;
class LayoutState;
class TNanoList;

// The column widths of the four grids a project stores, as their views show
// them.
struct GridWidths
{
    QList<int> layout;
    QList<int> skills;
    QList<int> requirements;
    QList<int> suggestions;
    QList<int> ladder;
};

// The window state a project stores besides the model: the grids' column
// widths and whether the view selector is enabled.
struct ProjectShown
{
    GridWidths widths;
    bool viewSelectorEnabled = true;
    // Whether the project holds a character (projects of older versions do
    // not, and open without one).
    bool characterStored = false;
};

// The image of the plan on screen: skill lists, layout with its marks and
// markers, the implant selection (SelImp-Bool, SelImp-QL and the caption
// "Config" keeps of it), allocation rules, build settings and the three
// result tables.
ProjectImage CaptureProject(const LayoutState &layout, const BuildSettings &settings, const BuildResults &results,
                            const ProjectShown &shown);

// Puts a project read whole into the model: the layout's data cells, marks,
// markers, skill lists and implant selection are emptied and the allocation
// rules reset first, then everything stored is taken back as stored; nothing
// is rebuilt. A setting whose "Config" line the image lacks keeps its value;
// the stored caption of the implant selection is not read, since the
// selection tells it. Returns what
// the window is to show besides the model. A layout grid of another shape
// than the layout's own is a damaged file: ECorruptFile, before anything
// changed.
ProjectShown ApplyProject(const ProjectImage &image, const TNanoList &nanoList, LayoutState &layout,
                          BuildSettings &settings, BuildResults &results);

} // namespace ludra
