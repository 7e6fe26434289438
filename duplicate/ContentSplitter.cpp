#include "ContentSplitter.h"

#include "Crc32.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>

namespace fs = std::filesystem;

namespace {

// The files the splitters of the process may hold open, shared out a set at a time. A
// splitter takes its share before it opens anything and gives it back before it asks
// again, so waiting for one cannot block those who hold one.
class OpenFiles {
public:
    static OpenFiles& budget() {
        static OpenFiles files;
        return files;
    }
    void take(std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        given_.wait(lock, [&] { return free_ >= count; });
        free_ -= count;
    }
    void give(std::size_t count) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            free_ += count;
        }
        given_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable given_;
    std::size_t free_ = ContentSplitter::openBudget;
};

// A share of the budget, held for as long as it lives: declare it before the streams.
class OpenShare {
public:
    explicit OpenShare(std::size_t count) : count_(count) { OpenFiles::budget().take(count_); }
    ~OpenShare() { OpenFiles::budget().give(count_); }
    OpenShare(const OpenShare&) = delete;
    OpenShare& operator=(const OpenShare&) = delete;

private:
    std::size_t count_;
};

bool ReadExactly(std::ifstream& in, char* buffer, std::size_t length) {
    in.read(buffer, static_cast<std::streamsize>(length));
    return static_cast<std::size_t>(in.gcount()) == length;
}

// True when nothing follows: a file that grew since it was listed is not the file we saw.
bool AtEnd(std::ifstream& in) {
    return in.peek() == std::ifstream::traits_type::eof();
}

} // namespace

// An unbuffered input stream: every read of a block goes straight into our buffer.
std::unique_ptr<std::ifstream> ContentSplitter::openForReading(const fs::path& file) const {
    auto in = std::make_unique<std::ifstream>();
    in->rdbuf()->pubsetbuf(nullptr, 0);
    errno = 0;
    in->open(file, std::ios::binary);
    if (in->is_open())
        return in;
    const std::error_code error(errno, std::generic_category());
    if (openFailed_)
        openFailed_(file, error);
    return nullptr;
}

struct ContentSplitter::Part {
    std::uint32_t crc = 0;
    std::vector<std::size_t> members; // positions in the opened list
};

std::vector<ContentSplitter::Copies> ContentSplitter::split(const std::vector<fs::path>& files,
                                                            std::uint64_t size,
                                                            const std::atomic<bool>& stop) {
    std::vector<std::size_t> all(files.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    if (all.size() < 2)
        return {};
    if (all.size() <= maxOpen)
        return sideBySide(files, all, size, stop);
    return narrowByCrc(files, all, size, std::min<std::uint64_t>(size, firstBlock), stop);
}

std::vector<ContentSplitter::Copies>
ContentSplitter::narrowByCrc(const std::vector<fs::path>& files,
                             const std::vector<std::size_t>& which, std::uint64_t size,
                             std::uint64_t length, const std::atomic<bool>& stop) {
    std::map<std::uint32_t, std::vector<std::size_t>> byCrc;
    for (std::size_t i : which) {
        std::uint32_t crc = 0;
        if (crcOf(files[i], size, length, crc, stop))
            byCrc[crc].push_back(i);
        if (stop.load(std::memory_order_relaxed))
            return {};
    }
    std::vector<Copies> found;
    auto take = [&found](std::vector<Copies> more) {
        found.insert(found.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
    };
    for (auto& [crc, same] : byCrc) {
        if (same.size() < 2)
            continue;
        if (same.size() <= maxOpen) {
            take(sideBySide(files, same, size, stop));
            continue;
        }
        if (length < size) {
            take(narrowByCrc(files, same, size, size, stop));
            continue;
        }
        // Very many files with one CRC: compare them with the first in chunks; those that
        // differ from it (a collision) are compared among themselves next.
        std::vector<std::size_t> rest = same;
        while (rest.size() >= 2) {
            const std::size_t first = rest.front();
            Copies copies{crc, {first}};
            std::vector<std::size_t> differing;
            for (std::size_t start = 1; start < rest.size(); start += maxOpen - 1) {
                std::vector<std::size_t> chunk{first};
                const std::size_t end = std::min(rest.size(), start + maxOpen - 1);
                chunk.insert(chunk.end(), rest.begin() + static_cast<std::ptrdiff_t>(start),
                             rest.begin() + static_cast<std::ptrdiff_t>(end));
                std::vector<Copies> parts = sideBySide(files, chunk, size, stop);
                if (stop.load(std::memory_order_relaxed))
                    return {};
                std::vector<std::size_t> equal;
                for (const Copies& part : parts) {
                    if (part.files.front() == first)
                        equal.assign(part.files.begin() + 1, part.files.end());
                }
                for (std::size_t i = 1; i < chunk.size(); ++i) {
                    if (std::find(equal.begin(), equal.end(), chunk[i]) == equal.end())
                        differing.push_back(chunk[i]);
                }
                copies.files.insert(copies.files.end(), equal.begin(), equal.end());
            }
            if (copies.files.size() >= 2) {
                std::sort(copies.files.begin(), copies.files.end());
                found.push_back(std::move(copies));
            }
            rest.swap(differing);
        }
    }
    return found;
}

bool ContentSplitter::crcOf(const fs::path& file, std::uint64_t size, std::uint64_t length,
                            std::uint32_t& crc, const std::atomic<bool>& stop) {
    const OpenShare share(1);
    std::unique_ptr<std::ifstream> in = openForReading(file);
    if (!in)
        return false;
    buffers_.resize(std::max<std::size_t>(buffers_.size(), 1));
    std::vector<char>& buffer = buffers_.front();
    buffer.resize(std::max(buffer.size(), largeBlock));
    crc = 0;
    for (std::uint64_t done = 0; done < length;) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uint64_t>(largeBlock, length - done));
        if (!ReadExactly(*in, buffer.data(), part))
            return false;
        crc = Crc32Update(crc, buffer.data(), part);
        done += part;
    }
    return length < size || AtEnd(*in);
}

std::vector<ContentSplitter::Copies>
ContentSplitter::sideBySide(const std::vector<fs::path>& files,
                            const std::vector<std::size_t>& which, std::uint64_t size,
                            const std::atomic<bool>& stop) {
    const OpenShare share(which.size());
    std::vector<std::unique_ptr<std::ifstream>> streams;
    std::vector<std::size_t> positions; // each opened stream's position in `which`
    for (std::size_t i = 0; i < which.size(); ++i) {
        if (auto in = openForReading(files[which[i]])) {
            streams.push_back(std::move(in));
            positions.push_back(i);
        }
    }
    const std::size_t count = streams.size();
    if (count < 2)
        return {};
    // Large blocks for few files; many files share a bounded amount of memory.
    const std::size_t block =
        std::clamp<std::size_t>((16 * largeBlock) / count, 64 * 1024, largeBlock);
    if (buffers_.size() < count)
        buffers_.resize(count);
    for (std::size_t m = 0; m < count; ++m)
        buffers_[m].resize(std::max(buffers_[m].size(), block));

    std::vector<Part> parts(1);
    for (std::size_t m = 0; m < count; ++m)
        parts.front().members.push_back(m);
    std::vector<Part> next;
    std::vector<std::size_t> leaders;
    for (std::uint64_t offset = 0; offset < size;) {
        if (stop.load(std::memory_order_relaxed))
            return {};
        const std::size_t length = static_cast<std::size_t>(
            std::min<std::uint64_t>(offset == 0 ? firstBlock : block, size - offset));
        next.clear();
        for (const Part& part : parts) {
            // Members whose bytes differ from every leader so far lead a part of their own.
            leaders.clear();
            const std::size_t firstNew = next.size();
            for (std::size_t m : part.members) {
                if (!ReadExactly(*streams[m], buffers_[m].data(), length))
                    continue;
                std::size_t l = 0;
                while (l < leaders.size() &&
                       std::memcmp(buffers_[leaders[l]].data(), buffers_[m].data(), length) != 0)
                    ++l;
                if (l == leaders.size()) {
                    leaders.push_back(m);
                    next.push_back(Part{part.crc, {}});
                }
                next[firstNew + l].members.push_back(m);
            }
            for (std::size_t l = 0; l < leaders.size(); ++l) {
                Part& sub = next[firstNew + l];
                if (sub.members.size() >= 2)
                    sub.crc = Crc32Update(sub.crc, buffers_[leaders[l]].data(), length);
            }
        }
        next.erase(std::remove_if(next.begin(), next.end(),
                                  [](const Part& p) { return p.members.size() < 2; }),
                   next.end());
        parts.swap(next);
        if (parts.empty())
            return {};
        offset += length;
    }

    std::vector<Copies> found;
    for (Part& part : parts) {
        Copies copies{part.crc, {}};
        for (std::size_t m : part.members) {
            if (AtEnd(*streams[m]))
                copies.files.push_back(which[positions[m]]);
        }
        if (copies.files.size() >= 2)
            found.push_back(std::move(copies));
    }
    return found;
}
