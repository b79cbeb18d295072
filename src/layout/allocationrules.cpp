#include "layout/allocationrules.h"

namespace ludra {

AllocationQuestion AllocationConfirmation(const AllocationRules &rules)
{
    if (rules.OverwriteOption == AllocationRules::DoNotClear)
        return {Msg::KeepAllocateTitle, Msg::KeepAllocateText, Prompter::Icon::Information};
    return {Msg::ClearAllocateTitle, Msg::ClearAllocateText, Prompter::Icon::Warning};
}

} // namespace ludra
