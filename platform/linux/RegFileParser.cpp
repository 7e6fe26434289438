#include "RegFileParser.h"

#include "Utf8.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

const char* const header = "Windows Registry Editor Version 5.00";

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Thrown inside the parser only, to unwind to parse().
struct ParseStop {};

std::string rootName(const std::string& name) {
    if (Utf8::equalsIgnoreCase(name, "HKEY_CURRENT_USER") || Utf8::equalsIgnoreCase(name, "HKCU"))
        return "HKEY_CURRENT_USER";
    if (Utf8::equalsIgnoreCase(name, "HKEY_LOCAL_MACHINE") || Utf8::equalsIgnoreCase(name, "HKLM"))
        return "HKEY_LOCAL_MACHINE";
    return {};
}

bool isHexData(const std::string& raw) {
    std::size_t i = 3; // after "hex"
    if (i < raw.size() && raw[i] == '(') {
        const auto close = raw.find(')', i);
        if (close == std::string::npos || close == i + 1)
            return false;
        for (std::size_t k = i + 1; k < close; ++k)
            if (!isHexDigit(raw[k]))
                return false;
        i = close + 1;
    }
    if (i >= raw.size() || raw[i] != ':')
        return false;
    for (++i; i < raw.size(); ++i)
        if (!isHexDigit(raw[i]) && raw[i] != ',' && raw[i] != ' ' && raw[i] != '\t')
            return false;
    return true;
}

} // namespace

std::unique_ptr<RegistryNode> RegFileParser::emptyRoot() {
    auto root = std::make_unique<RegistryNode>();
    root->childOrNew("HKEY_CURRENT_USER");
    root->childOrNew("HKEY_LOCAL_MACHINE");
    return root;
}

RegFileParser::RegFileParser(const std::string& text) : text_(text), root_(emptyRoot()) {}

RegFileParser::Result RegFileParser::parse(const std::string& text) {
    RegFileParser parser(text);
    try {
        parser.run();
    } catch (const ParseStop&) {
        return {nullptr, parser.error_};
    }
    return {std::move(parser.root_), {}};
}

void RegFileParser::fail(const std::string& message) {
    error_ = "line " + std::to_string(line_) + ": " + message;
    throw ParseStop{};
}

bool RegFileParser::atLineEnd() const {
    return pos_ >= text_.size() || text_[pos_] == '\n' ||
           (text_[pos_] == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] == '\n'));
}

void RegFileParser::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

// The rest of the current line without its line end; moves to the next line.
std::string RegFileParser::restOfLine() {
    const std::size_t start = pos_;
    while (!atLineEnd())
        ++pos_;
    std::string line = text_.substr(start, pos_ - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    if (pos_ < text_.size() && text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size()) {
        ++pos_;
        ++line_;
    }
    return line;
}

void RegFileParser::run() {
    if (text_.compare(0, 2, "\xFF\xFE") == 0 || text_.compare(0, 2, "\xFE\xFF") == 0)
        fail("the file is UTF-16; save it as UTF-8");
    if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos_ = 3;
    const std::size_t invalid = Utf8::firstInvalid(text_);
    if (invalid != std::string::npos) {
        line_ += static_cast<int>(std::count(text_.begin(), text_.begin() + invalid, '\n'));
        fail("the file is not valid UTF-8");
    }
    parseHeader();
    while (pos_ < text_.size()) {
        skipBlanks();
        if (atLineEnd()) {
            restOfLine();
            continue;
        }
        const char c = text_[pos_];
        if (c == ';')
            restOfLine();
        else if (c == '[')
            parseSection();
        else if (c == '"' || c == '@')
            parseValue();
        else
            fail("unexpected text \"" + restOfLine() + "\"");
    }
}

void RegFileParser::parseHeader() {
    for (;;) {
        if (pos_ >= text_.size())
            fail("missing \"" + std::string(header) + "\"");
        skipBlanks();
        const int at = line_;
        const std::string line = restOfLine();
        if (line.empty())
            continue;
        if (line != header) {
            line_ = at;
            fail("expected \"" + std::string(header) + "\"");
        }
        return;
    }
}

void RegFileParser::parseSection() {
    const int at = line_;
    const std::string line = restOfLine();
    const int next = line_;
    line_ = at; // errors name the key line itself
    if (line.back() != ']')
        fail("a key line must end with \"]\"");
    const std::string path = line.substr(1, line.size() - 2);
    if (!path.empty() && path[0] == '-')
        fail("key deletions (\"[-...]\") cannot be stored");
    auto parts = RegistryNode::splitPath(path);
    const std::string root = parts.empty() ? std::string() : rootName(parts[0]);
    if (root.empty())
        fail("unknown root key in \"" + line + "\"");
    current_ = root_->child(root);
    for (std::size_t i = 1; i < parts.size(); ++i)
        current_ = current_->childOrNew(parts[i]);
    line_ = next;
}

std::string RegFileParser::parseQuoted() {
    std::string out;
    ++pos_; // opening quote
    for (;;) {
        if (pos_ >= text_.size())
            fail("a quoted text is not closed");
        const char c = text_[pos_++];
        if (c == '"')
            return out;
        if (c == '\n')
            ++line_;
        if (c == '\\' && pos_ < text_.size() && (text_[pos_] == '\\' || text_[pos_] == '"'))
            out += text_[pos_++];
        else
            out += c;
    }
}

void RegFileParser::expectLineEnd() {
    skipBlanks();
    if (!atLineEnd() && text_[pos_] != ';')
        fail("unexpected text after the value");
    restOfLine();
}

void RegFileParser::parseValue() {
    if (current_ == nullptr)
        fail("a value before the first key line");
    RegistryNode::Value value;
    if (text_[pos_] == '@')
        ++pos_;
    else
        value.name = parseQuoted();
    skipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != '=')
        fail("expected \"=\" after the value name");
    ++pos_;
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '"') {
        value.type = RegistryNode::Value::Type::String;
        value.text = parseQuoted();
        expectLineEnd();
    } else if (text_.compare(pos_, 6, "dword:") == 0) {
        pos_ += 6;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isHexDigit(text_[pos_]))
            ++pos_;
        if (pos_ == start || pos_ - start > 8)
            fail("a dword needs one to eight hexadecimal digits");
        value.type = RegistryNode::Value::Type::Dword;
        value.dword =
            static_cast<std::uint32_t>(std::stoul(text_.substr(start, pos_ - start), nullptr, 16));
        expectLineEnd();
    } else if (text_.compare(pos_, 3, "hex") == 0) {
        // Binary data may continue over several lines, each ending in "\".
        std::string raw = restOfLine();
        while (!raw.empty() && raw.back() == '\\') {
            raw.pop_back();
            skipBlanks();
            raw += restOfLine();
        }
        if (!isHexData(raw))
            fail("malformed hex data");
        value.type = RegistryNode::Value::Type::Other;
        value.text = raw;
    } else if (pos_ < text_.size() && text_[pos_] == '-') {
        fail("value deletions (\"=-\") cannot be stored");
    } else {
        fail("expected a quoted text, dword: or hex: data");
    }
    current_->setValue(std::move(value));
}

} // namespace platform
