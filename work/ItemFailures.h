#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

// What a clean, a move or an uninstall could not do, item by item, with the reason, for a
// face that lists them (the command line). Workers add; the GUI thread takes them once the
// run has ended. A file that was already gone when a delete came to it is no failure: what
// the user wanted is done.
class ItemFailures {
public:
    enum class Reason {
        // A system error; `error` holds its platform::WinError code.
        Error,
        // The file is not the one the scan saw any more (changed, replaced or gone), or a
        // copy that was to stay has changed: left alone.
        Changed,
        // A copy that was to go no longer has the bytes of the copy that stays, or either
        // could not be read: left alone.
        Differs,
        // A program that was to start did not.
        NotStarted,
    };
    struct Failure {
        // The file, when the item is one.
        std::filesystem::path path;
        // What the item is otherwise ("Run history", a program's name).
        QString item;
        Reason reason = Reason::Error;
        std::uint32_t error = 0;
    };

    void clear();
    // Any thread.
    void add(Failure failure);
    void add(const std::filesystem::path& path, std::uint32_t error);
    // The failures so far, in the order they were added; the list is empty afterwards.
    std::vector<Failure> take();

private:
    std::mutex mutex_;
    std::vector<Failure> failures_;
};
