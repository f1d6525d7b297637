#include "options/OptionPageTableWin32.h"

#include "options/ClavierPageWin32.h"
#include "options/CopyPageWin32.h"
#include "options/GeneralPageWin32.h"
#include "options/PlanificationPageWin32.h"
#include "options/ProgrammePageWin32.h"
#include "options/SonPageWin32.h"

namespace pilotune {

namespace {
// The pages in the order of their buttons. A page's place is what the
// settings store as the last page shown: a new page goes at the end.
// clang-format off
constexpr PageFactory kPages[] = {
    MakePage<GeneralPage>,
    MakePage<ProgrammePage>,
    MakePage<ClavierPage>,
    MakePage<CopyPage>,
    MakePage<PlanificationPage>,
    MakePage<SonPage>,
};
// clang-format on
static_assert(kPages[kPagePlanification] == MakePage<PlanificationPage>);
} // namespace

std::vector<std::unique_ptr<OptionsPage>> MakeOptionPages(PageContext& context) {
    std::vector<std::unique_ptr<OptionsPage>> pages;
    for (PageFactory make : kPages)
        pages.push_back(make(context));
    return pages;
}

} // namespace pilotune
