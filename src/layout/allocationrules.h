#pragma once

#include "text/messages.h"
#include "common/prompter.h"

namespace ludra {

// The rules of automatic allocation, as the rules dialog sets them.
struct AllocationRules
{
    enum Overwrite { ClearBeforeAllocation = 0, DoNotClear = 1 };

    // Whether allocation empties the layout first or keeps what is placed.
    Overwrite OverwriteOption = ClearBeforeAllocation;
    // Which cluster types allocation places.
    bool IncludeShining = true;
    bool IncludeBright = true;
    bool IncludeFaded = true;

    bool includes(int column) const
    {
        return column == 1 ? IncludeShining : column == 2 ? IncludeBright : column == 3 ? IncludeFaded : false;
    }
    friend bool operator==(const AllocationRules &, const AllocationRules &) = default;
};

// The question asked before allocating (Yes and No buttons): a warning that
// the layout will be erased, or a note that it will be kept.
struct AllocationQuestion
{
    MessageDef title;
    MessageDef text;
    Prompter::Icon icon;
};

AllocationQuestion AllocationConfirmation(const AllocationRules &rules);

} // namespace ludra
