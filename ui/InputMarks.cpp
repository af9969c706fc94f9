// After each compute, the inputs that were not read as they stand are marked with the number
// that was used: "abc" computes as 0, "1,5 kg" as 1.5, an empty ordinate as 0.

#include "calc/PointsInUse.h"
#include "framework/EditLine.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"

namespace {

void markAsRead(EditLine& field, bool mark)
{
    field.SetMarked(mark ? QStringLiteral("Gelesen als ") + Str(Val(field.text())) : QString());
}

} // namespace

void HauptFenster::MarkInputsAsRead()
{
    const std::int32_t count = pointsInUse(n);
    for (int k = 0; k < 10; ++k) {
        for (const char* name : {kSupportRows[k].abscissa, kSupportRows[k].ordinate}) {
            auto& field = dynamic_cast<EditLine&>(Control(name));
            markAsRead(field, k < count && !ReadsEntirely(field.text()));
        }
    }
    // An empty argument is no argument; only a text that says something is judged.
    for (int i = 1; i < 10; ++i) {
        auto& field = dynamic_cast<EditLine&>(Control(kArgumentRows[i].argument));
        markAsRead(field, !field.text().trimmed().isEmpty() && !ReadsEntirely(field.text()));
    }
}
