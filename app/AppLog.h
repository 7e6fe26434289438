#pragma once

class QString;

// Appends "yyyy-MM-dd HH:mm:ss - message" to "app.log" beside the executable.
void AppLog(const QString& message);
