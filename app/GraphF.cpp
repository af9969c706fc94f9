// The graph window: one drawing of the polynomial that follows the main window's results.

#include "app/GraphF.h"

#include "calc/CoefficientCurve.h"
#include "calc/ComputeRecord.h"
#include "framework/GraphView.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/SpokenNumber.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QShortcut>
#include <cmath>

namespace {

constexpr const char* kTitle = "Graph des Interpolationspolynoms";
constexpr WindowSettings kWindow{kTitle, 640, 480, true, true, true};

// The room of the text in a value field of the main window (59 pixels less its frame and
// margins): the position under the pointer is shown as such a field would show it.
constexpr int kValueFieldRoom = 50;

// Plain constants: nothing of the graph is built before it is first asked for.
constexpr const char* kNothingYet =
    "Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken";
constexpr const char* kStale = "Veraltet";
constexpr const char* kNoExactValue =
    "Ohne exakten Bezug: gezeichnet ist das Polynom der Gleitkommarechnung";

// A bound of the view for speech: five significant digits, written as the fields write them.
QString spokenBound(double value)
{
    return SpokenNumber(Str(QString::number(value, 'g', 5).toDouble()));
}

} // namespace

void GraphF::Open()
{
    GraphF& window = instance();
    window.setVisible(true);
    window.raise();
    window.activateWindow();
}

void GraphF::Layout()
{
    ApplySettings(kWindow);
    // The close button hides the window, as Escape does: the view is there as it was left.
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void GraphF::CreateControls()
{
    view = new GraphView(this);
    view->setObjectName(QStringLiteral("GraphView"));
    SetContent(view);
    view->SetReadout([this](double x) { return ReadoutAt(x); });
    connect(view, &GraphView::ViewChanged, this, &GraphF::DescribeGraph);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::hide);
    // What the keys do, for the pointer too; the key stands beside each command.
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto command = [this](const QString& text, auto handler) {
        auto* action = new QAction(text, view);
        connect(action, &QAction::triggered, view, handler);
        view->addAction(action);
    };
    command(QStringLiteral("Alles zeigen\tA"), [this] { view->SetView(view->AllView()); });
    command(QStringLiteral("Erste Ansicht\tPos1"), [this] { view->SetView(view->DefaultView()); });
    command(QStringLiteral("Als Bild kopieren\tStrg+C"),
            [this] { QApplication::clipboard()->setImage(view->Image()); });
    connect(&HauptFenster::instance(), &HauptFenster::ResultsChanged, this, &GraphF::ShowResults);
    ShowResults();
    view->setFocus();
}

void GraphF::ShowResults()
{
    const HauptFenster& main = HauptFenster::instance();
    const std::shared_ptr<const ComputeRecord> record = main.LastCompute();
    const std::shared_ptr<const ComputedCurve> curve =
        record ? std::shared_ptr<const ComputedCurve>(record, &record->curve) : nullptr;
    stale = curve && main.ResultsStale();
    if (!curve) {
        view->ClearFunction(QString::fromUtf8(kNothingYet));
    } else if (curve != shown) {
        std::vector<GraphMark> marks;
        for (const auto& [x, y] : curve->points)
            marks.push_back({x, y, true, true});
        // The arguments lie on the curve as it is drawn, whatever the compute showed for them.
        for (double x : curve->arguments) {
            if (std::isfinite(x))
                marks.push_back({x, curve->polynomial.ValueAt(x), false, false});
        }
        view->SetFunction(
            [curve](const SampleRequest& request) { return curve->polynomial.Sample(request); },
            std::move(marks));
        ShowCoefficientCurve(*record);
    }
    shown = curve;
    QStringList notes;
    if (stale)
        notes << QString::fromUtf8(kStale);
    if (curve && !curve->polynomial.IsExact())
        notes << QString::fromUtf8(kNoExactValue);
    view->SetNotes(notes);
    view->SetDimmed(stale);
    DescribeGraph();
}

// Beside the exact polynomial, the one of the coefficients the form shows: where the double
// arithmetic's normal form parts from the exact one, the graph shows it.
void GraphF::ShowCoefficientCurve(const ComputeRecord& record)
{
    std::array<double, 10> coefficients{};
    for (size_t k = 0; k < coefficients.size(); ++k)
        coefficients[k] = record.coefficients[k].computed;
    std::optional<PolynomialCurve> shownCoefficients =
        record.curve.polynomial.IsExact() ? CoefficientCurve(coefficients) : std::nullopt;
    if (!shownCoefficients) {
        view->ClearCompanion();
        return;
    }
    auto polynomial = std::make_shared<const PolynomialCurve>(std::move(*shownCoefficients));
    view->SetCompanion(
        [polynomial](const SampleRequest& request) { return polynomial->Sample(request); },
        QStringLiteral("exakt"), QStringLiteral("Gleitkomma-Koeffizienten"));
}

void GraphF::DescribeGraph()
{
    if (!shown) {
        Describe("GraphView", kTitle, QString::fromUtf8(kNothingYet));
        return;
    }
    const GraphView::View& range = view->CurrentView();
    QString description =
        QStringLiteral("Polynom vom Grad %1 durch %2 Stützpunkte mit %3 Argumenten; gezeigt: x "
                       "von %4 bis %5, y von %6 bis %7.")
            .arg(shown->polynomial.Degree())
            .arg(shown->points.size())
            .arg(shown->arguments.size())
            .arg(spokenBound(range.xMin), spokenBound(range.xMax), spokenBound(range.yMin),
                 spokenBound(range.yMax));
    if (view->CompanionShown())
        description += QStringLiteral(" Gestrichelt: das Polynom der Gleitkomma-Koeffizienten, wo "
                                      "es mehr als ein Pixel vom exakten abweicht.");
    else if (const int outside = view->CompanionOutside())
        description += QStringLiteral(" Das Polynom der Gleitkomma-Koeffizienten weicht ab und "
                                      "liegt %1 der Ansicht.")
                           .arg(outside > 0 ? QStringLiteral("über") : QStringLiteral("unter"));
    for (const QString& note : view->Notes())
        description += ' ' + note + '.';
    Describe("GraphView", kTitle, description);
}

QString GraphF::ReadoutAt(double x) const
{
    if (!shown)
        return {};
    const QFontMetricsF metrics(QApplication::font("QLineEdit"));
    const auto asField = [&](double value) {
        return FitNumber(Str(value), metrics, kValueFieldRoom);
    };
    // p is taken at the x as shown, so that the two numbers belong together.
    const QString shownX = asField(x);
    return QStringLiteral("x = %1, p(x) = %2")
        .arg(shownX, asField(shown->polynomial.ValueAt(Val(shownX))));
}
