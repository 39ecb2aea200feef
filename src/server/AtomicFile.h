#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file so that a crash or a kill at any moment leaves either the
// old or the new content, never a torn one: temporary file, fsync, rename,
// fsync of the folder.
namespace AtomicFile {

bool write(const QString& path, const QByteArray& content, QString* error = nullptr);

} // namespace AtomicFile
