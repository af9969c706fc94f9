#pragma once
// What the graph window says in words: the shape of the curve ("Verlauf"), the places the
// cursor jumps to, and where the cursor stands. Sentences are made with numbers as Str writes
// them and turned German for the eye (decimal comma, the minus sign U+2212) or for the ear
// (exponents spelt out as well).

#include "calc/CurveFeatures.h"
#include "framework/GraphCursor.h"

#include <QString>
#include <functional>
#include <vector>

struct ComputeRecord;

QString ForTheEye(const QString& sentence);
QString ForTheEar(const QString& sentence);

// "Nullstellen bei -1 und 1; Tiefpunkt (0 | -1); fällt bis 0, steigt danach."; places for
// which `inView` is false are said to lie outside the view.
QString ShapeSentence(const CurveShape& shape,
                      const std::function<bool(double x, double y)>& inView);

// Where the cursor stands: "x = 2.2; p(x) = 5.84", p(x) exact at the x as written and rounded
// as a value field of the main window shows it.
QString CursorReadout(const ComputeRecord& record, double x);

// The places the cursor jumps to: support points (S), arguments (W), zeros (N) and turning
// points (E), each key with Shift backwards. Without a shape found whole, zeros and turns are
// unknown, for the reason given.
std::vector<GraphCursor::Kind> CursorKinds(const ComputeRecord& record, const CurveShape* shape,
                                           const QString& unknownBecause);

// The keys of the graph window, for its description.
QString GraphKeys();
