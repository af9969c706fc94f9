#pragma once
// The words of the worked solution, the same in the window and in both copies.

namespace worked {

inline constexpr const char* kTitle = "Rechenweg";
inline constexpr const char* kPoints = "Stützpunkte";
inline constexpr const char* kLagrange = "Lagrange";
inline constexpr const char* kNewton = "Newton";
inline constexpr const char* kNormalForm = "Normalform";
inline constexpr const char* kValues = "Werte";

inline constexpr const char* kNoPoints = "Keine Stützpunkte: Das Polynom ist 0.";
inline constexpr const char* kNotExact =
    "Kein exakter Rechenweg: Eine Stützstelle ist unendlich oder keine Zahl, liegt außerhalb des "
    "Zahlbereichs oder hat mehr als tausend Ziffern. Gezeigt sind die Eingaben und was das "
    "Formular zeigt.";
inline constexpr const char* kDiagonal =
    "Die Diagonale des Schemas enthält die Koeffizienten c_k der Newton-Form.";
inline constexpr const char* kMarked = "ungenau";
inline constexpr const char* kHidden = "ausgeblendet";
inline constexpr const char* kNoExactValue = "kein exakter Wert";
inline constexpr const char* kInForm = "im Formular";
inline constexpr const char* kDecimal = "dezimal";
inline constexpr const char* kExact = "exakt";

} // namespace worked
