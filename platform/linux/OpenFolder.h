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
    // Steps into the sub-folder `name`, refusing a link; false (and closed) when that is
    // not possible.
    bool enter(const char* name);

private:
    int fd_;
};

} // namespace platform
