#pragma once
// The shape of the exact polynomial of a compute: where it is zero, where it turns, where it
// rises and falls, over the whole real line. Every place is found exactly and given to the
// digits that are right, and said to be exact only where it is.

#include "calc/ExactShadow.h"

#include <QString>
#include <atomic>
#include <optional>
#include <vector>

struct ScaledPolynomial;

// A number of the shape: exactly its text, or that text rounded.
struct ShapeNumber
{
    QString text;       // as Str writes numbers ("-1.41421", "1.5e-07"); see `settled`
    bool exact = false; // the number is exactly the decimal of the text
    // The digits could not be settled within the work allowed: the number lies between the
    // two numbers `text` and `upTo`, written with two digits, rounded outwards.
    bool settled = true;
    QString upTo;
    double nearest = 0; // the double nearest to it (+-inf beyond the doubles' range)
};

enum class TurnKind
{
    Maximum,
    Minimum,
    Saddle, // flat, but rising (or falling) on both sides
};

struct CurveZero
{
    ShapeNumber x;
    int multiplicity = 1;
};

struct CurveTurn
{
    TurnKind kind;
    ShapeNumber x;
    ShapeNumber y;
};

struct CurveShape
{
    bool known = false; // false: the work ran out, or was called off, before the shape was found
    bool zeroEverywhere = false;  // every coefficient is 0
    std::vector<CurveZero> zeros; // ascending
    std::vector<CurveTurn> turns; // ascending: maxima, minima and saddle points
    // Left of the first turn: 1 rising, -1 falling, 0 constant. Each maximum and minimum turns it.
    int slopeBefore = 0;
};

// The shape of p, each place to `digits` significant digits at most. It may take a while for
// points of a thousand digits: it can run on a thread of its own and be called off there.
CurveShape ShapeOf(const ScaledPolynomial& polynomial, int digits = 6,
                   const std::atomic<bool>* calledOff = nullptr);

// p at the number the text reads as (as Val reads it, exactly), or none where the text has no
// exact value (inf, nan, beyond a double's range, more than a thousand digits).
std::optional<ExactNumber> ExactValueAt(const ScaledPolynomial& polynomial, const QString& text);
