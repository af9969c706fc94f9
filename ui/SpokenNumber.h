#pragma once
// Numbers in German sentences for screen readers: a German voice reads "2.375" as two
// thousand three hundred seventy-five, since the point groups thousands; "2,375" it reads right.

#include <QString>

inline QString SpokenNumber(QString number)
{
    return number.replace(u'.', u',');
}
