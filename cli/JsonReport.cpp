#include "JsonReport.h"

#include "ConsoleOutput.h"
#include "FileTime.h"
#include "JsonWriter.h"
#include "PathQString.h"

#include <platform/PathText.h>

namespace {

constexpr int documentVersion = 1;

void writePath(JsonWriter& json, const char* key, const char* rawKey,
               const std::filesystem::path& path) {
    json.key(key).value(WindowsPathText(path));
    json.key(rawKey).value(platform::PathText::toEscapedUtf16(path));
}

QString isoTime(std::int64_t ticks) {
    return FileTimeToDateTime(ticks).toUTC().toString(Qt::ISODate);
}

void writeRow(JsonWriter& json, const Listing::Row& row) {
    json.beginObject();
    if (row.file) {
        writePath(json, "path", "raw", *row.file);
    } else {
        json.key("name").value(row.name);
        json.key("value").value(row.value);
    }
    if (row.bytes)
        json.key("bytes").value(*row.bytes);
    if (row.checked)
        json.key("checked").value(*row.checked);
    if (row.modified)
        json.key("modified").value(isoTime(*row.modified));
    if (row.account)
        json.key("account").value(*row.account);
    if (row.group) {
        json.key("group").value(*row.group);
        json.key("crc").value(row.crc);
    }
    if (row.keep)
        json.key("keep").value(*row.keep);
    json.endObject();
}

void writeCategory(JsonWriter& json, const Listing::Category& category) {
    json.beginObject();
    json.key("id").value(category.id);
    json.key("name").value(category.name);
    if (!category.group.isEmpty())
        json.key("group").value(category.group);
    json.key("checked").value(category.checked);
    json.key("supported").value(category.supported);
    if (category.bytes)
        json.key("bytes").value(*category.bytes);
    json.key("count").value(category.count);
    if (category.groups)
        json.key("groups").value(*category.groups);
    if (category.folder)
        writePath(json, "folder", "folderRaw", *category.folder);
    json.key("rows").beginArray();
    for (const Listing::Row& row : category.rows)
        writeRow(json, row);
    json.endArray();
    json.endObject();
}

void writeProgram(JsonWriter& json, const Listing::Program& program) {
    json.beginObject();
    json.key("name").value(program.name);
    json.key("bytes").value(program.bytes);
    json.key("installDate");
    if (program.installDate.isValid())
        json.value(program.installDate.toString(Qt::ISODate));
    else
        json.null();
    json.key("uninstallString").value(program.uninstallString);
    json.key("icon").value(program.icon);
    json.endObject();
}

void writeFailure(JsonWriter& json, const Listing::Failure& failure) {
    json.beginObject();
    if (failure.file)
        writePath(json, "path", "raw", *failure.file);
    else
        json.key("name").value(failure.name);
    json.key("reason").value(failure.reason);
    json.key("code").value(static_cast<std::uint64_t>(failure.code));
    json.key("message").value(failure.message);
    json.endObject();
}

} // namespace

void JsonReport::write(const Listing& listing) {
    JsonWriter json([](const QByteArray& bytes) { ConsoleOutput::out(bytes); });
    json.beginObject();
    json.key("version").value(documentVersion);
    json.key("area").value(listing.area);
    json.key("action").value(listing.action);
    if (listing.dryRun)
        json.key("dryRun").value(*listing.dryRun);
    json.key("interrupted").value(listing.interrupted);
    if (listing.installed)
        json.key("installed").value(*listing.installed);
    if (listing.folder)
        writePath(json, "folder", "folderRaw", *listing.folder);
    if (listing.accounts) {
        json.key("accounts").beginArray();
        for (const QString& account : *listing.accounts)
            json.value(account);
        json.endArray();
    }
    if (!listing.drive.isEmpty())
        json.key("drive").value(listing.drive);
    if (listing.destination)
        writePath(json, "destination", "destinationRaw", *listing.destination);
    if (listing.freesSystemDrive)
        json.key("freesSystemDrive").value(*listing.freesSystemDrive);
    if (listing.listsPrograms) {
        json.key("programs").beginArray();
        for (const Listing::Program& program : listing.programs)
            writeProgram(json, program);
        json.endArray();
    } else {
        json.key("categories").beginArray();
        for (const Listing::Category& category : listing.categories)
            writeCategory(json, category);
        json.endArray();
    }
    json.key("total").beginObject();
    if (listing.total.hasBytes)
        json.key("bytes").value(listing.total.bytes);
    json.key("count").value(listing.total.count);
    if (listing.total.hasBytes)
        json.key("selectedBytes").value(listing.total.selectedBytes);
    json.key("selectedCount").value(listing.total.selectedCount);
    json.endObject();
    if (listing.result) {
        json.key("result").beginObject();
        json.key("bytes").value(listing.result->bytes);
        json.key("count").value(listing.result->count);
        json.key("failed").value(listing.result->failed);
        json.endObject();
    }
    json.key("failures").beginArray();
    for (const Listing::Failure& failure : listing.failures)
        writeFailure(json, failure);
    json.endArray();
    json.key("notes").beginArray();
    for (const QString& note : listing.notes)
        json.value(note);
    json.endArray();
    json.endObject();
    json.finish();
}
