// After each compute, the inputs that were not read as they stand are marked with the number
// that was used: "abc" computes as 0, "1,5 kg" as 1.5, an empty ordinate as 0. A text as a
// paste left it keeps what the paste said of it ("1.234" may have meant 1234).

#include "calc/PointsInUse.h"
#include "framework/EditLine.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/RowNames.h"
#include "ui/TablePaste.h"

namespace {

void markAsRead(EditLine& field, bool mark, const TablePaste* paste)
{
    const QString pasted = paste ? paste->MarkOf(field) : QString();
    if (!pasted.isEmpty())
        field.SetMarked(pasted);
    else
        field.SetMarked(mark ? QStringLiteral("Gelesen als ") + Str(Val(field.text())) : QString());
}

} // namespace

void HauptFenster::MarkInputsAsRead()
{
    const auto* paste = findChild<TablePaste*>();
    const std::int32_t count = pointsInUse(n);
    for (int k = 0; k < 10; ++k) {
        for (const char* name : {kSupportRows[k].abscissa, kSupportRows[k].ordinate}) {
            auto& field = dynamic_cast<EditLine&>(Control(name));
            if (k < count)
                markAsRead(field, !ReadsEntirely(field.text()), paste);
            else
                field.SetMarked(QString());
        }
    }
    // An empty argument is no argument; only a text that says something is judged.
    for (int i = 1; i < 10; ++i) {
        auto& field = dynamic_cast<EditLine&>(Control(kArgumentRows[i].argument));
        markAsRead(field, !field.text().trimmed().isEmpty() && !ReadsEntirely(field.text()), paste);
    }
}
