// libFuzzer target for the readers of documents and table files, which take whatever a file
// holds. Whatever the bytes, reading returns with the inputs or with a fault, never both. A
// document read whole is written and read back to the same inputs; a table read whole gives 2 to
// 10 points, as its count says.

#include "ui/DocumentFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    const DocumentRead document = ReadDocument(bytes);
    if (document.fault.isEmpty()) {
        const DocumentRead again = ReadDocument(WriteDocument(document.inputs));
        if (!again.fault.isEmpty() || !(again.inputs == document.inputs))
            std::abort();
    } else if (document.inputs != FormInputs{}) {
        std::abort();
    }

    FormInputs blank;
    blank.count = QStringLiteral("2");
    const DocumentRead table = ReadTable(bytes, blank);
    if (table.fault.isEmpty()) {
        bool number = false;
        const int count = table.inputs.count.toInt(&number);
        if (!number || count < 2 || count > 10)
            std::abort();
    }
    return 0;
}
