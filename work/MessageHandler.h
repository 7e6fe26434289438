#pragma once

#include <QtGlobal>

class QMessageLogContext;
class QString;

// Appends one line per Qt message to "application.log":
// "yyyy-MM-dd hh:mm:ss.zzz LEVEL message (file:line)". Safe to call from any thread.
void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg);
