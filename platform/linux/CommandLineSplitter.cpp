#include "CommandLineSplitter.h"

namespace platform {

std::vector<std::string> CommandLineSplitter::split(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument)
                args.push_back(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t count = 0;
            while (i < line.size() && line[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(count, '\\');
            }
        } else if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else {
            current += c;
            ++i;
        }
    }
    if (inArgument)
        args.push_back(current);
    return args;
}

std::vector<std::string> CommandLineSplitter::splitProgramLine(const std::string& line) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    if (line[start] != '"') {
        const auto end = line.find_last_not_of(" \t");
        return {line.substr(start, end - start + 1)};
    }
    const auto close = line.find('"', start + 1);
    if (close == std::string::npos)
        return {line.substr(start + 1)};
    std::vector<std::string> args{line.substr(start + 1, close - start - 1)};
    for (auto& arg : split(line.substr(close + 1)))
        args.push_back(arg);
    return args;
}

} // namespace platform
