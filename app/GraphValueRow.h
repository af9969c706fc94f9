#pragma once
// The row "Wert an der Stelle" of the graph window: an x typed into `GraphX`, Return, and
// p(x) stands in `GraphValue`, exact at the number as typed and painted with only digits that
// are right, and is said, also rounded as a value field of the main window shows it.

#include <QWidget>
#include <memory>

struct ComputeRecord;
class EditLine;
class FittedNumberField;

class GraphValueRow final : public QWidget
{
    Q_OBJECT
public:
    explicit GraphValueRow(QWidget* parent);

    EditLine& Input() const { return *input; }
    FittedNumberField& Result() const { return *result; }
    QWidget& Label() const { return *label; }

    // The compute whose polynomial is evaluated; none before the first. A new one clears the
    // result, and puts the last x in again.
    void SetRecord(std::shared_ptr<const ComputeRecord> record);
    void Evaluate();

signals:
    void Said(const QString& sentence);

private:
    void evaluate(bool say);
    void clearResult();

    std::shared_ptr<const ComputeRecord> record;
    QWidget* label = nullptr;
    EditLine* input = nullptr;
    FittedNumberField* result = nullptr;
};
