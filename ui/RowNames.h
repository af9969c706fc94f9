#pragma once
// The names of the form's rows of like fields, by row number.

struct SupportRow
{
    const char* abscissa;
    const char* ordinate;
};

inline constexpr SupportRow kSupportRows[10] = {
    {"xF0", "yF0"}, {"xF1", "yF1"}, {"xF2", "yF2"}, {"xF3", "yF3"}, {"xF4", "yF4"},
    {"xF5", "yF5"}, {"xF6", "yF6"}, {"xF7", "yF7"}, {"xF8", "yF8"}, {"xF9", "yF9"},
};

struct ArgumentRow
{
    const char* argument;
    const char* value;
};

inline constexpr ArgumentRow kArgumentRows[10] = {
    {"xF01", "yF01"}, {"xF11", "yF11"}, {"xF21", "yF21"}, {"xF31", "yF31"}, {"xF41", "yF41"},
    {"xF51", "yF51"}, {"xF61", "yF61"}, {"xF71", "yF71"}, {"xF81", "yF81"}, {"xF91", "yF91"},
};

struct CoefficientRow
{
    const char* field;
    const char* label;
};

inline constexpr CoefficientRow kCoefficientRows[10] = {
    {"KF0", "xS00"}, {"KF1", "xS01"}, {"KF2", "xS02"}, {"KF3", "xS03"}, {"KF4", "xS04"},
    {"KF5", "xS05"}, {"KF6", "xS06"}, {"KF7", "xS07"}, {"KF8", "xS08"}, {"KF9", "xS09"},
};
