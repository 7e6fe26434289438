#include "RegistryStore.h"

#include "AtomicFile.h"
#include "AutostartSync.h"
#include "ErrnoMapping.h"
#include "RegFileParser.h"
#include "RegFileWriter.h"
#include "platform/WinError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

} // namespace

RegistryStore& RegistryStore::instance() {
    static RegistryStore store;
    return store;
}

std::filesystem::path RegistryStore::location() {
    const char* explicitPath = std::getenv("MERIVANE_REGISTRY");
    if (explicitPath != nullptr && *explicitPath != '\0')
        return explicitPath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/')
        return std::filesystem::path(config) / "merivane" / "registry.reg";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".config" / "merivane" /
           "registry.reg";
}

std::uint32_t RegistryStore::failed(std::uint32_t code, const std::string& reason) {
    lastError_ = reason;
    return code;
}

std::uint32_t RegistryStore::load() {
    const auto path = location();
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0) {
        if (errno != ENOENT)
            return failed(ErrnoMapping::toWinError(errno),
                          path.native() + ": " + std::strerror(errno));
        if (!root_ || loadedExisting_ || path != loadedPath_) {
            root_ = RegFileParser::emptyRoot();
            loadedPath_ = path;
            loadedExisting_ = false;
        }
        lastError_.clear();
        return ErrorSuccess;
    }
    if (root_ && loadedExisting_ && path == loadedPath_ && sameFile(now, loadedStat_)) {
        lastError_.clear();
        return ErrorSuccess;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failed(ErrorAccessDenied, path.native() + ": cannot be read");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = RegFileParser::parse(text);
    if (!parsed.root) {
        root_.reset();
        return failed(ErrorRegistryCorrupt, path.native() + ": " + parsed.error);
    }
    root_ = std::move(parsed.root);
    loadedPath_ = path;
    loadedStat_ = now;
    loadedExisting_ = true;
    lastError_.clear();
    return ErrorSuccess;
}

std::uint32_t RegistryStore::read(const std::function<std::uint32_t(const RegistryNode&)>& reader) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const auto err = load())
        return err;
    return reader(*root_);
}

std::uint32_t
RegistryStore::modify(const std::function<std::uint32_t(RegistryNode&, bool& changed)>& change,
                      const std::optional<std::string>& writtenRunValue) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const auto err = load())
        return err;
    auto next = root_->clone();
    bool changed = false;
    if (const auto err = change(*next, changed))
        return err;
    AutostartSync autostart(*root_, *next, writtenRunValue);
    if (const auto err = autostart.apply())
        return failed(err, "the autostart entry cannot be written");
    if (!changed)
        return ErrorSuccess;
    const auto path = location();
    if (const int err = AtomicFile::write(path, RegFileWriter::write(*next))) {
        autostart.undo();
        return failed(ErrnoMapping::toWinError(err), path.native() + ": " + std::strerror(err));
    }
    root_ = std::move(next);
    loadedPath_ = path;
    loadedExisting_ = ::stat(path.c_str(), &loadedStat_) == 0;
    return ErrorSuccess;
}

std::string RegistryStore::lastError() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

} // namespace platform
