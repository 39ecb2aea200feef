#pragma once

#include <QString>

// Addresses of the product's web pages in the interface language.

// The download page: the German page for language number 7, else the general one.
QString downloadPageUrl(int langId);

// The documentation page for a language identifier such as "09"; "#" and the
// keyword are appended when help was asked by keyword (also for an empty one).
QString helpPageUrl(const QString& langIdStr, const QString& keyword, bool byKeyword);
