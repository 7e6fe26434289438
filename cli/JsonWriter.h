#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Writes one JSON document as it goes, so that a list of a hundred thousand files never
// has to be held as a document first. Text is UTF-8; a string given as UTF-16 units keeps
// a lone surrogate as its \uXXXX escape, which is how a file name that is not text travels
// without loss (see PathText::toEscapedUtf16).
class JsonWriter {
public:
    // `sink` receives the document piece by piece, in order.
    explicit JsonWriter(std::function<void(const QByteArray&)> sink);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the object being written.
    JsonWriter& key(const char* name);

    void value(const QString& text);
    void value(const std::u16string& units);
    void value(const char* text) { value(QString::fromUtf8(text)); }
    void value(std::uint64_t number);
    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(bool flag);
    void null();

    // Ends the document with a line feed and hands everything over.
    void finish();

private:
    void separate();
    void appendString(const char16_t* units, std::size_t count);
    void flushIfLarge();

    std::function<void(const QByteArray&)> sink_;
    QByteArray buffer_;
    // Per open container: whether it holds a value already.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};
