#pragma once

class QString;
class QStringList;

// Appends "yyyy-MM-dd HH:mm:ss - message" to "app.log" beside the executable.
void AppLog(const QString& message);
// The same for many messages, a line each, with one opening of the file: for the lines of
// a whole folder rather than one opening per file.
void AppLog(const QStringList& messages);
