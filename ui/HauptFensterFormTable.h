#pragma once
// The main form's 75 controls in build order. The form builds itself from this table, and the
// start-up benchmark builds the same form from it in plain Qt, so the two cannot drift apart.

#include "framework/Controls.h"

namespace main_form {

inline constexpr auto Edit = ControlKind::EditField;
inline constexpr auto Label = ControlKind::StaticText;
inline constexpr auto Button = ControlKind::BevelButton;
inline constexpr auto Rule = ControlKind::Separator;

inline constexpr QRgb kCountGreen = 0xDCFFD8;
inline constexpr QRgb kPointGreen = 0xE5FFD8;
inline constexpr QRgb kArgumentGreen = 0xDBFFD6;
inline constexpr QRgb kArgumentGreen2 = 0xEAFFE1;
inline constexpr QRgb kWhite = 0xFFFFFF;

// kind, name, left, top, width, height, text, alignment code, background, flags, text size
inline constexpr ControlSettings kForm[] = {
    {Button, "BevelButton1", 586, 413, 91, 72, "Berechnen", 0, kWhite, kBold},
    {Edit, "sstellen", 199, 30, 41, 27, "4", 1, kCountGreen, kPlain, 16},
    {Label, "StaticText1", 28, 30, 165, 27, "Anzahl der Stuetzstellen:", 0},
    {Edit, "xF0", 77, 69, 47, 22, "1", 0, kPointGreen},
    {Edit, "yF0", 77, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF1", 136, 69, 47, 22, "2", 0, kPointGreen},
    {Edit, "yF1", 136, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF2", 195, 69, 47, 22, "3", 0, kPointGreen},
    {Edit, "yF2", 195, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF3", 254, 69, 47, 22, "4", 0, kPointGreen},
    {Edit, "yF3", 254, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF4", 313, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF4", 313, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF5", 372, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF5", 372, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF6", 431, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF6", 431, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF7", 490, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF7", 490, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF8", 549, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF8", 549, 93, 47, 22, "", 0, kPointGreen},
    {Edit, "xF9", 608, 69, 47, 22, "", 0, kPointGreen},
    {Edit, "yF9", 608, 93, 47, 22, "", 0, kPointGreen},
    {Label, "StaticTextx", 40, 69, 25, 22, "x", 1},
    {Label, "StaticTexty", 40, 93, 25, 22, "y", 1},
    {Rule, "Separator1", 13, 136, 642, 5},
    {Label, "StaticText2", 28, 169, 285, 20, "Funktionswerte des Interpolationspolynoms", 0},
    {Edit, "xF01", 77, 201, 59, 22, "0", 1, kWhite, kReadOnly},
    {Edit, "yF01", 77, 225, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF11", 136, 201, 59, 22, "", 0, kArgumentGreen},
    {Edit, "yF11", 136, 225, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF21", 195, 201, 59, 22, "", 0, kArgumentGreen},
    {Edit, "yF21", 195, 225, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF31", 254, 201, 59, 22, "", 0, kArgumentGreen},
    {Edit, "yF31", 254, 225, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF41", 313, 201, 59, 22, "", 0, kArgumentGreen},
    {Edit, "yF41", 313, 225, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF51", 77, 273, 59, 22, "", 0, kArgumentGreen2},
    {Edit, "yF51", 77, 297, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF61", 136, 273, 59, 22, "", 0, kArgumentGreen2},
    {Edit, "yF61", 136, 297, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF71", 195, 273, 59, 22, "", 0, kArgumentGreen2},
    {Edit, "yF71", 195, 297, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF81", 254, 273, 59, 22, "", 0, kArgumentGreen2},
    {Edit, "yF81", 254, 297, 59, 22, "", 0, kWhite, kFitNumber},
    {Edit, "xF91", 313, 273, 59, 22, "", 0, kArgumentGreen2},
    {Edit, "yF91", 313, 297, 59, 22, "", 0, kWhite, kFitNumber},
    {Label, "StaticTextx1", 40, 201, 25, 22, "x", 1},
    {Label, "StaticTexty1", 40, 225, 25, 22, "y", 1},
    {Label, "StaticTextx11", 40, 273, 25, 22, "x", 1},
    {Label, "StaticTexty11", 40, 297, 25, 22, "y", 1},
    {Rule, "Separator2", 13, 352, 642, 2},
    {Edit, "KF3", 372, 413, 94, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF4", 468, 413, 96, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF5", 77, 497, 100, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF6", 179, 497, 98, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF7", 279, 497, 94, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF8", 372, 497, 94, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF9", 468, 497, 96, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF0", 77, 413, 100, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF1", 179, 413, 98, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Edit, "KF2", 279, 413, 94, 22, "", 2, kWhite, kReadOnly | kFitNumber},
    {Label, "xS00", 77, 436, 100, 20, "x^0", 1},
    {Label, "xS01", 179, 436, 98, 20, "x^1", 1},
    {Label, "xS02", 281, 436, 92, 20, "x^2", 1},
    {Label, "xS03", 374, 436, 92, 20, "x^3", 1},
    {Label, "xS04", 468, 436, 96, 20, "x^4", 1},
    {Label, "xS05", 77, 522, 100, 20, "x^5", 1},
    {Label, "xS06", 179, 522, 98, 20, "x^6", 1},
    {Label, "xS07", 279, 522, 94, 20, "x^7", 1},
    {Label, "xS08", 372, 522, 94, 20, "x^8", 1},
    {Label, "xS09", 468, 522, 96, 20, "x^9", 1},
    {Label, "StaticText3", 28, 366, 282, 20, "Koeffizienten des Interpolationspolynoms", 0},
    {Button, "BevelButton2", 586, 491, 91, 34, "Info"},
    {Button, "BevelButton3", 586, 531, 91, 51, "Beenden", 0, kWhite, kBold},
};

} // namespace main_form
