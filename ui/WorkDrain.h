#pragma once

#include <vector>

class IWork;

// Lets running works come to rest before the process ends: scans are asked to stop, and
// cleans and moves get a short, bounded time to finish the file in hand.
class WorkDrain {
public:
    void watch(IWork* work);
    // True when no watched work has a run registered any more.
    bool idle() const;
    // Asks every scan to stop and waits at most timeoutMs for the pools to empty, still
    // delivering the queued calls that workers wait for. Returns idle().
    bool drain(int timeoutMs);

private:
    std::vector<IWork*> works;
};
