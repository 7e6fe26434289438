#pragma once

#include <QThreadPool>
#include <memory>
#include <utility>

// Frees a large container on a thread of Qt's global pool instead of the caller's. Freeing
// hundreds of thousands of rows (a free, and often a page fault, for each) held the GUI
// thread for a fifth of a second when a scan started over. Small containers die here. The
// container must own what it holds outright: nothing else may touch it afterwards.
template <typename Container> void ReleaseOffThread(Container&& container) {
    constexpr std::size_t worthAThread = 4096;
    if (container.size() < worthAThread)
        return;
    // The only owner is the task: whichever copy of it dies last, it dies on the pool.
    auto held = std::make_shared<Container>(std::forward<Container>(container));
    QThreadPool::globalInstance()->start([held = std::move(held)]() mutable { held.reset(); });
}
