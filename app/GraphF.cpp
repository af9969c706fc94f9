// The graph window: one drawing of the polynomial that follows the main window's results.

#include "app/GraphF.h"

#include "app/GraphExplorer.h"
#include "app/GraphImage.h"
#include "app/GraphWords.h"
#include "calc/CoefficientCurve.h"
#include "calc/ComputeRecord.h"
#include "framework/GraphView.h"
#include "framework/MenuItemDescription.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/SpokenNumber.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr const char* kTitle = "Graph des Interpolationspolynoms";
constexpr WindowSettings kWindow{kTitle, 640, 480, true, true, true};

// Plain constants: nothing of the graph is built before it is first asked for.
constexpr const char* kNothingYet =
    "Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken";
constexpr const char* kStale = "Veraltet";
constexpr const char* kNoExactValue =
    "Ohne exakten Bezug: gezeichnet ist das Polynom der Gleitkommarechnung";
constexpr const char* kBroken = "; wo sie keinen endlichen Wert ergibt, fehlt die Kurve";
constexpr const char* kNoCurve = "Keine Kurve: ";
constexpr const char* kNoFinitePoint =
    "Die Stützstelle (%1, %2) ist keine endliche Zahl, daher ergibt die Gleitkommarechnung "
    "nirgends einen endlichen Wert.";
constexpr const char* kNoFiniteValue =
    "Die Gleitkommarechnung ergibt an keiner Stelle des Ausschnitts einen endlichen Wert.";
constexpr const char* kOutOfView = "Die Kurve verläuft außerhalb des Ausschnitts; A zeigt alles.";

// A bound of the view for speech: five significant digits, written as the fields write them;
// whole where five digits would round beyond the doubles.
QString spokenBound(double value)
{
    const double rounded = QString::number(value, 'g', 5).toDouble();
    return SpokenNumber(Str(std::isfinite(rounded) ? rounded : value));
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
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("GraphContent"));
    view = new GraphView(content);
    view->setObjectName(QStringLiteral("GraphView"));
    SetContent(content);
    RegisterControl(*view);
    view->SetReadout([this](const ReadoutPoint& point) { return ReadoutAt(point); });
    // Beneath the drawing: the cursor's line, "Wert an der Stelle" and the shape on request. A
    // menu "Ansicht" of the window's own holds the drawing's commands.
    auto* menus = new QMenuBar(this);
    setMenuBar(menus);
    explorer = new GraphExplorer(*view, menus->addMenu(QStringLiteral("&Ansicht")), content);
    for (QWidget* control : explorer->Controls())
        RegisterControl(*control);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(view, 1);
    column->addWidget(explorer);
    setAccessibleDescription(GraphKeys());
    connect(view, &GraphView::ViewChanged, this, [this] {
        ShowNotes();
        DescribeGraph();
    });
    connect(explorer, &GraphExplorer::ShapeFound, this, &GraphF::DescribeGraph);
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
    command(QStringLiteral("Als Bild speichern…\tStrg+S"), [this] { SaveGraphImage(*view); });
    DescribeMenuAction(*view->actions().constLast(),
                       QStringLiteral("Speichert den Graphen, wie er gezeigt wird, als PNG-Bild, "
                                      "SVG-Grafik oder PDF-Dokument"));
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            [this] { SaveGraphImage(*view); });
    explorer->AddCommands();
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
        explorer->SetRecord(nullptr);
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
        explorer->SetRecord(record);
        ShowCoefficientCurve(*record);
    }
    shown = curve;
    ShowNotes();
    view->SetDimmed(stale);
    explorer->SetStale(stale);
    DescribeGraph();
}

void GraphF::ShowNotes()
{
    QStringList notes;
    if (stale)
        notes << QString::fromUtf8(kStale);
    if (!shown || !view->HasFunction()) {
        view->SetNotes(notes);
        return;
    }
    const GraphView::Coverage coverage = view->CurveCoverage();
    if (coverage == GraphView::Coverage::NoValue) {
        QString why = QString::fromUtf8(kNoFiniteValue);
        for (const auto& [x, y] : shown->points) {
            if (!std::isfinite(x) || !std::isfinite(y)) {
                why = QString::fromUtf8(kNoFinitePoint).arg(Str(x), Str(y));
                break;
            }
        }
        notes << QString::fromUtf8(kNoCurve) + why;
    } else if (!shown->polynomial.IsExact()) {
        notes << QString::fromUtf8(kNoExactValue) + (coverage == GraphView::Coverage::Broken
                                                         ? QString::fromUtf8(kBroken)
                                                         : QString());
    }
    if (coverage == GraphView::Coverage::OutOfView)
        notes << QString::fromUtf8(kOutOfView);
    view->SetNotes(notes);
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
    const size_t arguments = shown->arguments.size();
    QString description =
        QStringLiteral("Polynom vom Grad %1 durch %2 Stützpunkte mit %3; gezeigt: x "
                       "von %4 bis %5, y von %6 bis %7.")
            .arg(shown->polynomial.Degree())
            .arg(shown->points.size())
            .arg(arguments == 1 ? QStringLiteral("1 Argument")
                                : QStringLiteral("%1 Argumenten").arg(arguments))
            .arg(spokenBound(range.xMin), spokenBound(range.xMax), spokenBound(range.yMin),
                 spokenBound(range.yMax));
    if (view->CompanionShown())
        description += QStringLiteral(" Gestrichelt: das Polynom der Gleitkomma-Koeffizienten, wo "
                                      "es mehr als ein Pixel vom exakten abweicht.");
    else if (const int outside = view->CompanionOutside())
        description += QStringLiteral(" Das Polynom der Gleitkomma-Koeffizienten weicht ab und "
                                      "liegt %1 der Ansicht.")
                           .arg(outside > 0 ? QStringLiteral("über") : QStringLiteral("unter"));
    description += QStringLiteral(" Verlauf: ") + ForTheEar(explorer->ShapeSentence());
    for (const QString& note : view->Notes())
        description += ' ' + note + (note.endsWith(u'.') ? "" : ".");
    Describe("GraphView", kTitle, description);
}

QString GraphF::ReadoutAt(const ReadoutPoint& point) const
{
    if (!shown)
        return {};
    // p is taken at exactly the x the line names, so that the two numbers belong together.
    const std::optional<DecimalNumber> value =
        shown->polynomial.ValueNear(point.x, point.valuePlace);
    return QStringLiteral("x = %1, p(x) = %2")
        .arg(PlotNumber(point.x),
             value ? PlotNumber(*value) : QStringLiteral("kein endlicher Wert"));
}
