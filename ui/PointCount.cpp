// The point count: the count field sets n and shows the support-point rows it asks for.

#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

#include "framework/NumberText.h"

void HauptFenster::sstellen_Open()
{
    SetText("sstellen", "2");
}

void HauptFenster::sstellen_TextChange()
{
    n = ToInt32(Val(Text("sstellen")));
    if (n > 10) {
        n = 10;
        SetText("sstellen", Str(std::int32_t{10}));
    }
    // Rows 0 and 1 always show, so that even a count below two leaves a place to type.
    for (int k = 0; k < 2; ++k) {
        SetVisible(kSupportRows[k].abscissa, true);
        SetVisible(kSupportRows[k].ordinate, true);
    }
    for (int k = 2; k < 10; ++k) {
        SetVisible(kSupportRows[k].abscissa, n > k);
        SetVisible(kSupportRows[k].ordinate, n > k);
    }
}
