#include "ExpandEnvString.h"

#include <platform/ProfileEnvironment.h>

std::string ExpandEnvString(const std::string& utf8) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t open = utf8.find('%', pos);
        if (open == std::string::npos)
            break;
        const std::size_t close = utf8.find('%', open + 1);
        if (close == std::string::npos)
            break;
        out.append(utf8, pos, open - pos);
        const std::string name = utf8.substr(open + 1, close - open - 1);
        const auto value = name.empty() ? std::nullopt : platform::ProfileEnvironment::get(name);
        if (value)
            out += *value;
        else
            out.append(utf8, open, close - open + 1);
        pos = close + 1;
    }
    if (pos < utf8.size())
        out.append(utf8, pos, std::string::npos);
    return out;
}

QString ExpandEnvString(const QString& text) {
    return QString::fromStdString(ExpandEnvString(text.toStdString()));
}
