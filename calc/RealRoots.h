#pragma once
// The real roots of a polynomial with integer coefficients, isolated exactly: each in an
// interval with rational ends that holds it and no other root, however close two roots lie
// or however far apart their magnitudes are. Nothing is rounded on the way, so a root that
// is a short decimal can be told exactly.

#include "calc/IntegerPolynomial.h"

#include <atomic>
#include <vector>

// The work a search may do, in evaluations and shifts of a polynomial; it ends incomplete
// where it would need more, or once it is called off, so that a pathological input cannot
// keep anyone waiting.
struct RootWork
{
    long left = 200000;
    const std::atomic<bool>* calledOff = nullptr;

    bool Spend(long steps = 1)
    {
        left -= steps;
        return left >= 0 && !(calledOff && calledOff->load(std::memory_order_relaxed));
    }
};

// One real root: low < root < high, or low == high == root where it is known exactly.
// `factor` is the square-free factor of which it is a simple root.
struct IsolatedRoot
{
    mpq_class low;
    mpq_class high;
    int multiplicity = 1;
    int factor = 0;
    int signAboveLow = 0; // the factor's sign just above low; 0 until first asked

    bool Exact() const { return low == high; }
};

struct RealRoots
{
    std::vector<IntegerPolynomial> factors; // square-free and pairwise without common root
    std::vector<IsolatedRoot> roots;        // ascending, the intervals pairwise disjoint
    bool complete = true;                   // false: the work ran out before all were found
};

// Every real root of p (not the zero polynomial), with its multiplicity.
RealRoots IsolateRealRoots(const IntegerPolynomial& p, RootWork& work);

// Halves the root's interval once (or finds it exactly). False when the work ran out.
bool NarrowRoot(const RealRoots& roots, IsolatedRoot& root, RootWork& work);
// Narrows the root's interval to about 2^-bits of the root at once: Newton's method in
// floating point finds the root, and two exact signs around it prove the narrow interval.
// Where they do not, the interval stays as it was; the result is right either way.
void TightenRoot(const RealRoots& roots, IsolatedRoot& root, int bits, RootWork& work);

// Whether q (square-free) and p share the root that `root` isolates for q.
bool SharesRoot(const IntegerPolynomial& p, const IntegerPolynomial& q, const IsolatedRoot& root,
                RootWork& work);
