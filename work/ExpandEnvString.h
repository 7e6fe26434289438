#pragma once

#include <QString>
#include <string>

// Replaces each %NAME% by the value of environment variable NAME. An undefined NAME stays
// as written, percent signs included; a "%" without a closing partner copies the rest
// unchanged. Values outside ASCII survive (UTF-8 in and out).
std::string ExpandEnvString(const std::string& utf8);
QString ExpandEnvString(const QString& text);
