#include "AutostartSync.h"

#include "AtomicFile.h"
#include "CommandLineSplitter.h"
#include "DesktopEntry.h"
#include "ErrnoMapping.h"
#include "Utf8.h"
#include "platform/Drives.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace platform {

namespace {

const std::vector<std::string> runKeyPath{"HKEY_CURRENT_USER", "Software",       "Microsoft",
                                          "Windows",           "CurrentVersion", "Run"};

std::vector<RegistryNode::Value> runValues(const RegistryNode& root) {
    const RegistryNode* run = root.find(runKeyPath);
    return run != nullptr ? run->values() : std::vector<RegistryNode::Value>{};
}

const RegistryNode::Value* named(const std::vector<RegistryNode::Value>& values,
                                 const std::string& name) {
    for (const auto& v : values)
        if (Utf8::equalsIgnoreCase(v.name, name))
            return &v;
    return nullptr;
}

// A value name becomes a file name: no folder separators, no "." or "..".
std::optional<std::string> fileNameFor(const std::string& valueName) {
    if (valueName.empty() || valueName == "." || valueName == "..")
        return std::nullopt;
    std::string name = valueName;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name + ".desktop";
}

} // namespace

std::optional<std::string> AutostartSync::entryFor(const RegistryNode::Value& value) {
    if (value.type != RegistryNode::Value::Type::String)
        return std::nullopt;
    auto argv = CommandLineSplitter::splitProgramLine(value.text);
    if (argv.empty())
        return std::nullopt;
    argv[0] = Drives::toNativePath(argv[0]).native();
    if (argv[0].empty())
        return std::nullopt;
    return DesktopEntry::forProgram(value.name, argv);
}

AutostartSync::AutostartSync(const RegistryNode& before, const RegistryNode& after,
                             const std::optional<std::string>& written) {
    const auto old = runValues(before);
    const auto now = runValues(after);
    for (const auto& value : now) {
        const auto* previous = named(old, value.name);
        const auto entry = entryFor(value);
        const bool rewritten = written && Utf8::equalsIgnoreCase(*written, value.name);
        if (rewritten || previous == nullptr || entry != entryFor(*previous))
            changes_.push_back({value.name, entry});
    }
    for (const auto& value : old)
        if (named(now, value.name) == nullptr)
            changes_.push_back({value.name, std::nullopt});
}

bool AutostartSync::isRunKey(const std::vector<std::string>& path) {
    return path.size() == runKeyPath.size() &&
           std::equal(path.begin(), path.end(), runKeyPath.begin(),
                      [](const std::string& a, const std::string& b) {
                          return Utf8::equalsIgnoreCase(a, b);
                      });
}

std::optional<std::filesystem::path> AutostartSync::folder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/')
        return std::filesystem::path(config) / "autostart";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return std::filesystem::path(home) / ".config" / "autostart";
    return std::nullopt;
}

std::optional<std::string> AutostartSync::readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t AutostartSync::apply() {
    const auto dir = folder();
    if (changes_.empty() || !dir)
        return 0;
    for (const auto& change : changes_) {
        const auto fileName = fileNameFor(change.name);
        if (!fileName)
            continue;
        const auto file = *dir / *fileName;
        const auto existing = readFile(file);
        if (existing && !DesktopEntry::isOurs(*existing))
            continue; // someone else's entry of the same name
        if (existing == change.content)
            continue; // already in step
        int err = 0;
        if (change.content)
            err = AtomicFile::write(file, *change.content);
        else if (::unlink(file.c_str()) != 0 && errno != ENOENT)
            err = errno;
        if (err != 0) {
            undo();
            return ErrnoMapping::toWinError(err);
        }
        done_.push_back({file, existing});
    }
    return 0;
}

void AutostartSync::undo() {
    for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
        if (it->content)
            AtomicFile::write(it->file, *it->content);
        else
            ::unlink(it->file.c_str());
    }
    done_.clear();
}

} // namespace platform
