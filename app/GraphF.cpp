// The graph window: one drawing of the polynomial that follows the main window's results.

#include "app/GraphF.h"

#include "calc/PolynomialCurve.h"
#include "framework/GraphView.h"
#include "framework/NumberFit.h"
#include "framework/NumberText.h"
#include "ui/HauptFenster.h"
#include "ui/SpokenNumber.h"

#include <QApplication>
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

const QString kNothingYet =
    QStringLiteral("Noch nichts berechnet: Stützstellen eingeben und »Berechnen« drücken");
const QString kStale = QStringLiteral("Veraltet");
const QString kNoExactValue =
    QStringLiteral("Ohne exakten Bezug: gezeichnet ist das Polynom der Gleitkommarechnung");

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
    connect(&HauptFenster::instance(), &HauptFenster::ResultsChanged, this, &GraphF::ShowResults);
    ShowResults();
    view->setFocus();
}

void GraphF::ShowResults()
{
    const HauptFenster& main = HauptFenster::instance();
    const std::shared_ptr<const ComputedCurve> curve = main.LastCurve();
    stale = curve && main.ResultsStale();
    if (!curve) {
        view->ClearFunction(kNothingYet);
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
    }
    shown = curve;
    QStringList notes;
    if (stale)
        notes << kStale;
    if (curve && !curve->polynomial.IsExact())
        notes << kNoExactValue;
    view->SetNotes(notes);
    view->SetDimmed(stale);
    DescribeGraph();
}

void GraphF::DescribeGraph()
{
    if (!shown) {
        Describe("GraphView", kTitle, kNothingYet);
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
