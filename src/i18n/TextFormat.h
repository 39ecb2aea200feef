#pragma once

#include <QString>
#include <QStringList>

// Fills a message text that carries "%s" or "%d" placeholders, in order, from
// args; "%%" gives "%". A translated text with more placeholders than args gets
// empty fills, extra args are dropped, and other "%" sequences stay as written,
// so a faulty translation never breaks the message.
QString formatText(const QString& format, const QStringList& args);
