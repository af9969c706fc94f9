#pragma once
// The worked solution taken along: as plain text for mail, a forum or a calculator, and as
// LaTeX for a solution sheet. Both give every number whole, however long.

#include <QString>

struct WorkedSolution;

// One step a line; fractions as a/b, '*' and '^', the minus as '-'; the scheme and the tables
// with tabs between their cells.
QString WorkedSolutionText(const WorkedSolution& solution);

// A fragment for a document that loads amsmath: \frac, align*, an array for the scheme.
QString WorkedSolutionLatex(const WorkedSolution& solution);
