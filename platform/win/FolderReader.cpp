#include "platform/FolderReader.h"

#include "OpenFolderChain.h"
#include "RegularFile.h"

namespace platform {

namespace {

// Asks the regular file at path, opened itself with access; nothing when there is none or
// it cannot be opened so.
template <typename Answer, typename Ask>
std::optional<Answer> askOpened(const std::filesystem::path& path, DWORD access, Ask ask) {
    if (path.empty())
        return std::nullopt;
    const RegularFile file(path, access);
    if (!file.isOpen())
        return std::nullopt;
    return ask(file);
}

} // namespace

struct FolderReader::Impl {
    std::filesystem::path folder;
    // Held while listing: the folder checked is the folder listed.
    OpenFolderChain held;
    bool open = false;
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false; // data holds an entry not returned yet
    std::filesystem::path current;

    ~Impl() {
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
};

FolderReader::FolderReader(const std::filesystem::path& folder,
                           const std::optional<FileIdentity>& expected)
    : impl_(new Impl) {
    impl_->folder = folder;
    if (!impl_->held.start(folder) || (expected && impl_->held.identity() != *expected))
        return;
    impl_->open = true;
    impl_->find = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &impl_->data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    impl_->pending = impl_->find != INVALID_HANDLE_VALUE;
}

FolderReader::~FolderReader() = default;

bool FolderReader::isOpen() const {
    return impl_->open;
}

bool FolderReader::next(std::filesystem::path& child, Kind& kind) {
    if (impl_->find == INVALID_HANDLE_VALUE)
        return false;
    for (;;) {
        if (!impl_->pending && !FindNextFileW(impl_->find, &impl_->data))
            return false;
        impl_->pending = false;
        const WIN32_FIND_DATAW& entry = impl_->data;
        const wchar_t* name = entry.cFileName;
        if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0')))
            continue;
        // Junctions and symbolic links, to folders or files, lead anywhere: never entered.
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
            continue;
        kind =
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Folder : Kind::RegularFile;
        impl_->current = impl_->folder / name;
        child = impl_->current;
        return true;
    }
}

std::optional<std::uint64_t> FolderReader::readableSize() const {
    // Readable now means no program holding the file denies reading.
    return askOpened<std::uint64_t>(impl_->current, GENERIC_READ,
                                    [](const RegularFile& file) { return file.size(); });
}

std::optional<FileFacts> FolderReader::facts() const {
    const WIN32_FIND_DATAW& entry = impl_->data;
    if (impl_->current.empty() || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    // The listing brought them along: no call at all.
    return RegularFile::factsOf(entry.nFileSizeHigh, entry.nFileSizeLow, entry.ftLastWriteTime);
}

std::optional<FileIdentity> FolderReader::identity() const {
    return askOpened<FileIdentity>(impl_->current, FILE_READ_ATTRIBUTES,
                                   [](const RegularFile& file) { return file.identity(); });
}

std::optional<FileIdentity> FolderReader::folderIdentity() const {
    const WIN32_FIND_DATAW& entry = impl_->data;
    OpenFolderChain sub;
    if (impl_->current.empty() || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !sub.start(impl_->current))
        return std::nullopt;
    return sub.identity();
}

} // namespace platform
