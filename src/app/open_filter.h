#pragma once
// File dialog filters are written as pairs "Description|pattern;pattern|..." (the program's
// own notation); Qt wants "Description (pattern pattern);;...".
#include <QString>

QString QtFileFilter(const QString& pairs);
