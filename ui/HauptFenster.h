#pragma once
// The main window: the form with its handlers (ui/), the calculation state and methods (calc/)
// and the accessors of the menu items it shows (app/).

#include "framework/Window.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

struct ComputeRecord;
class MenuItem;
class QuitMenuItem;

class HauptFenster : public Window
{
    Q_OBJECT
public:
    // The shared main window, built on the first request.
    static HauptFenster& instance();

    // Calculation state. n is written only by sstellen_TextChange.
    std::int32_t n = 0;
    std::array<double, 11> xwert{};
    std::array<double, 11> ywert{};
    std::array<double, 11> Argx{};
    std::array<double, 11> Argy{};
    std::array<double, 10> Koeff{};

    // Handlers of the form's controls.
    void BevelButton1_Action();
    void sstellen_TextChange();
    void sstellen_Open();
    void BevelButton2_Action();
    void BevelButton3_Action();

    // Menu items of the window's menu bar, found by their names.
    MenuItem& FileMenu() const;
    QuitMenuItem& FileQuit() const;
    MenuItem& EditMenu() const;
    MenuItem& EditUndo() const;
    MenuItem& UntitledMenu1() const;
    MenuItem& EditCut() const;
    MenuItem& EditCopy() const;
    MenuItem& EditPaste() const;
    MenuItem& EditClear() const;
    MenuItem& UntitledMenu0() const;
    MenuItem& EditSelectAll() const;

    // The compute command and its steps.
    void Start();
    void StuetzpunkteEinlesen();
    bool Pruefen();
    void ArgumenteEinlesen();
    double gi(std::int32_t k, double x);
    double g(double x);
    void WerteAusgeben();
    bool IstNull(double x);
    double Prod9(std::int32_t i);
    double Prod8(std::int32_t i);
    double Prod7(std::int32_t i);
    double Prod6(std::int32_t i);
    double Prod5(std::int32_t i);
    double Prod4(std::int32_t i);
    double Prod3(std::int32_t i);
    double Prod2(std::int32_t i);
    double Prod1(std::int32_t i);
    double Prod0(std::int32_t i);
    void Koeffizientenberechnung();
    void Koeffizientenausgabe();
    void Kurvalo();
    std::int32_t vorz(std::int32_t k);
    void Schwanzweg();

    // Row visibility of the coefficient area.
    void Verbirg(std::int32_t i);
    void Entbirg();

    // Beside the compute command: the exact check of the shown digits, the marks on inputs that
    // were read only in part, and what the person and a screen reader are told of both.
    void CheckDigits();
    void MarkInputsAsRead();
    void ExplainResults();

    // The record of the last compute that was not refused (none before the first), and whether
    // an input it was computed from has changed since. A refused compute reads its points into
    // xwert and ywert, yet the form keeps the results before: the record keeps what they were.
    std::shared_ptr<const ComputeRecord> LastCompute() const { return lastCompute; }
    bool ResultsStale() const { return resultsStale; }
    // No results, as at start: the result fields empty with nothing said of them, every
    // coefficient row shown, no record of a compute, no marks on the inputs, whose texts stay.
    void ClearResults();

signals:
    // A compute showed new results, or the results shown turned stale.
    void ResultsChanged();

protected:
    void Layout() override;
    void CreateControls() override;

private:
    // Names and descriptions of every control, for screen readers.
    void DescribeControls();
    // Tab through the coefficients in the order of their powers.
    void OrderCoefficientsForTab();
    // Results turn stale once an input they were computed from changes.
    void WatchInputs();
    void InputChanged(int supportRow);
    void ExplainField(const QString& name);

    // What each field's description says before anything is added to it.
    QHash<QString, QString> plainDescriptions;
    bool resultsShown = false;
    bool resultsStale = false;
    std::shared_ptr<const ComputeRecord> lastCompute;
};
