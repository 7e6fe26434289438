#pragma once

#include "RegistryNode.h"

#include <memory>
#include <string>

namespace platform {

// Reads the ".reg" text of the registry store. Unknown value types (hex:, hex(2):, ...) are
// kept as written so that a rewrite preserves them.
class RegFileParser {
public:
    struct Result {
        std::unique_ptr<RegistryNode> root; // children HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE
        std::string error;                  // "line 12: ...", empty on success
    };

    static Result parse(const std::string& text);
    static std::unique_ptr<RegistryNode> emptyRoot();

private:
    explicit RegFileParser(const std::string& text);
    void run();
    void fail(const std::string& message);
    bool atLineEnd() const;
    void skipBlanks();
    std::string restOfLine();
    void parseHeader();
    void parseSection();
    void parseValue();
    std::string parseQuoted();
    void expectLineEnd();

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::unique_ptr<RegistryNode> root_;
    RegistryNode* current_ = nullptr;
    std::string error_;
};

} // namespace platform
