#include "JsonWriter.h"

namespace {
constexpr int flushSize = 64 * 1024;

bool isHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out.append(static_cast<char>(code));
    } else if (code < 0x800) {
        out.append(static_cast<char>(0xC0 | (code >> 6)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(static_cast<char>(0xE0 | (code >> 12)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (code >> 18)));
        out.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

void appendEscape(QByteArray& out, char16_t unit) {
    static const char digits[] = "0123456789abcdef";
    out.append("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(digits[(unit >> shift) & 0xF]);
}
} // namespace

JsonWriter::JsonWriter(std::function<void(const QByteArray&)> sink) : sink_(std::move(sink)) {}

JsonWriter::~JsonWriter() = default;

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!filled_.empty()) {
        if (filled_.back())
            buffer_.append(',');
        filled_.back() = true;
    }
}

void JsonWriter::beginObject() {
    separate();
    buffer_.append('{');
    filled_.push_back(false);
}

void JsonWriter::endObject() {
    buffer_.append('}');
    filled_.pop_back();
    flushIfLarge();
}

void JsonWriter::beginArray() {
    separate();
    buffer_.append('[');
    filled_.push_back(false);
}

void JsonWriter::endArray() {
    buffer_.append(']');
    filled_.pop_back();
    flushIfLarge();
}

JsonWriter& JsonWriter::key(const char* name) {
    separate();
    const QString text = QString::fromUtf8(name);
    appendString(reinterpret_cast<const char16_t*>(text.utf16()),
                 static_cast<std::size_t>(text.size()));
    buffer_.append(':');
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(const QString& text) {
    separate();
    appendString(reinterpret_cast<const char16_t*>(text.utf16()),
                 static_cast<std::size_t>(text.size()));
}

void JsonWriter::value(const std::u16string& units) {
    separate();
    appendString(units.data(), units.size());
}

void JsonWriter::value(std::uint64_t number) {
    separate();
    buffer_.append(QByteArray::number(static_cast<qulonglong>(number)));
}

void JsonWriter::value(std::int64_t number) {
    separate();
    buffer_.append(QByteArray::number(static_cast<qlonglong>(number)));
}

void JsonWriter::value(bool flag) {
    separate();
    buffer_.append(flag ? "true" : "false");
}

void JsonWriter::null() {
    separate();
    buffer_.append("null");
}

void JsonWriter::finish() {
    buffer_.append('\n');
    sink_(buffer_);
    buffer_.clear();
}

void JsonWriter::flushIfLarge() {
    if (buffer_.size() >= flushSize) {
        sink_(buffer_);
        buffer_.clear();
    }
}

void JsonWriter::appendString(const char16_t* units, std::size_t count) {
    buffer_.append('"');
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        switch (unit) {
        case u'"':
            buffer_.append("\\\"");
            continue;
        case u'\\':
            buffer_.append("\\\\");
            continue;
        case u'\n':
            buffer_.append("\\n");
            continue;
        case u'\r':
            buffer_.append("\\r");
            continue;
        case u'\t':
            buffer_.append("\\t");
            continue;
        default:
            break;
        }
        if (unit < 0x20) {
            appendEscape(buffer_, unit);
        } else if (isHigh(unit) && i + 1 < count && isLow(units[i + 1])) {
            const char32_t code =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00);
            appendUtf8(buffer_, code);
            ++i;
        } else if (isHigh(unit) || isLow(unit)) {
            // A lone surrogate has no UTF-8 form: the escape keeps it.
            appendEscape(buffer_, unit);
        } else {
            appendUtf8(buffer_, unit);
        }
    }
    buffer_.append('"');
}
