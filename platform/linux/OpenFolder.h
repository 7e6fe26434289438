#pragma once

namespace platform {

// One folder held open by descriptor, entered from its parent without following a link.
class OpenFolder {
public:
    // Opens `path`; refused (not open) when it is a link or no folder.
    explicit OpenFolder(const char* path);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // The errno of the opening that failed last; 0 while open.
    int error() const { return error_; }
    // Steps into the sub-folder `name`, refusing a link; false (and closed) when that is
    // not possible.
    bool enter(const char* name);

private:
    void opened(int fd);

    int fd_ = -1;
    int error_ = 0;
};

} // namespace platform
