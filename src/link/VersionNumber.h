#pragma once

#include <QString>

// Dotted version text <-> integer with three decimal digits per part after
// the first: 8.0.21 <-> 8000021. A text that does not read gives 0.
int VersionToInt(const QString& text);
// Empty for n <= 0.
QString VersionToText(int n);
