#pragma once

#include <QLocale>

// The Windows primary language number of a language (9 English, 7 German,
// 12 French, ...); 0 when the language has none in the table.
int windowsPrimaryLanguageId(QLocale::Language language);
