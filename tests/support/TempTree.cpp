#include "TempTree.h"

#include "platform/PathText.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::function<void(const fs::path&)>& linkRemover() {
    static std::function<void(const fs::path&)> remover;
    return remover;
}

// FNV-1a: every step is a bijection of the state, so two contents of one length that
// differ in a single byte never hash alike.
std::uint64_t hashOf(const char* data, std::size_t length,
                     std::uint64_t hash = 14695981039346656037ull) {
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Every byte of a file up to 1 MiB; of a larger one (the sample profile's sparse files
// reach hundreds of MiB) the first and last 256 KiB only, which is what tests change.
std::uint64_t hashFile(const fs::path& file, std::uint64_t size) {
    constexpr std::uint64_t whole = 1 << 20;
    constexpr std::size_t part = 256 << 10;
    std::ifstream in(file, std::ios::binary);
    std::string block(size <= whole ? static_cast<std::size_t>(size) : part, '\0');
    in.read(&block[0], static_cast<std::streamsize>(block.size()));
    std::uint64_t hash = hashOf(block.data(), static_cast<std::size_t>(in.gcount()));
    if (size > whole) {
        in.seekg(static_cast<std::streamoff>(size - part));
        in.read(&block[0], static_cast<std::streamsize>(block.size()));
        hash = hashOf(block.data(), static_cast<std::size_t>(in.gcount()), hash);
    }
    return hash;
}

// std::filesystem sees no link on Windows; a reparse point is one all the same.
bool isLink(const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_symlink(error))
        return true;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
#else
    return false;
#endif
}

std::string shown(const fs::path& relative) {
    std::string text;
    for (const fs::path& part : relative)
        text += (text.empty() ? "" : "/") + platform::PathText::toDisplayUtf8(part);
    return text;
}

// A test may have taken write permission away (Windows: set the read-only attribute) to
// make a deletion fail; it is given back so that everything can be removed. Links are
// left alone: their targets are not the tree's to change.
void allowRemoval(const fs::path& root) {
    std::error_code error;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (isLink(*it))
            continue;
        const auto wanted = it->is_directory(error)
                                ? fs::perms::owner_all
                                : fs::perms::owner_read | fs::perms::owner_write;
        fs::permissions(it->path(), wanted, fs::perm_options::add, error);
        error.clear();
    }
}

} // namespace

bool TempTree::Entry::operator==(const Entry& other) const {
    return kind == other.kind && size == other.size && hash == other.hash && target == other.target;
}

TempTree::TempTree() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("merivane-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be created");
}

TempTree::~TempTree() {
    if (linkRemover())
        linkRemover()(path_);
    allowRemoval(path_);
    std::error_code error;
    fs::remove_all(path_, error);
}

fs::path TempTree::below(const fs::path& where) const {
    const fs::path full = (where.is_relative() ? path_ / where : where).lexically_normal();
    const fs::path relative = full.lexically_relative(path_);
    if (relative.empty() || relative == "." || *relative.begin() == "..")
        throw std::invalid_argument("not below the temporary tree: " +
                                    platform::PathText::toDisplayUtf8(where));
    return full;
}

fs::path TempTree::write(const fs::path& where, std::uintmax_t size) const {
    std::string content(static_cast<std::size_t>(size), '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>('a' + i % 26);
    return write(where, content);
}

fs::path TempTree::write(const fs::path& where, const std::string& content) const {
    const fs::path file = below(where);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + platform::PathText::toDisplayUtf8(file));
    return file;
}

std::string TempTree::read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TempTree::Snapshot TempTree::snapshotOf(const fs::path& folder) {
    Snapshot entries;
    for (fs::recursive_directory_iterator it(folder), end; it != end; ++it) {
        Entry entry;
        std::error_code error;
        if (isLink(*it)) {
            entry.kind = Entry::Kind::Link;
            entry.target = fs::read_symlink(it->path(), error);
            it.disable_recursion_pending();
        } else if (it->is_directory()) {
            entry.kind = Entry::Kind::Folder;
        } else if (it->is_regular_file()) {
            // Only regular files are read: reading a FIFO would block.
            entry.kind = Entry::Kind::File;
            entry.size = it->file_size(error);
            entry.hash = hashFile(it->path(), entry.size);
        }
        entries[it->path().lexically_relative(folder)] = entry;
    }
    return entries;
}

std::vector<std::string> TempTree::diff(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> lines;
    for (const auto& [name, entry] : before) {
        const auto now = after.find(name);
        if (now == after.end())
            lines.push_back("removed: " + shown(name));
        else if (now->second != entry)
            lines.push_back("changed: " + shown(name));
    }
    for (const auto& [name, entry] : after)
        if (before.find(name) == before.end())
            lines.push_back("added: " + shown(name));
    std::sort(lines.begin(), lines.end());
    return lines;
}

void TempTree::setLinkRemover(std::function<void(const fs::path&)> remover) {
    linkRemover() = std::move(remover);
}
