#pragma once

#include <QString>
#include <functional>

class SampleWindow;

// A C-drive clean in the sample window long enough to quit in the middle of: 80,000 small
// files in a ticked folder. For the tests of the ways out of the program, one to a process,
// since a quit cannot be undone.
class QuitDuringClean {
public:
    static constexpr int fileCount = 80000;

    explicit QuitDuringClean(SampleWindow& sample);
    ~QuitDuringClean();
    QuitDuringClean(const QuitDuringClean&) = delete;
    QuitDuringClean& operator=(const QuitDuringClean&) = delete;

    // Makes the files and scans them from the C-drive page. Empty, or what went wrong.
    QString scan();
    // Presses the progress button, then quits through `quit` while the clean runs, as the
    // program would: the event loop must end normally, then aboutToQuit lets the works come
    // to rest. Empty when the clean stopped between two files and no run is left; else what
    // went wrong. From then on, for the life of this object, a process that ends on the
    // spot (exit() or quick_exit(), with status 0 or not) ends with status 3: it fails the
    // run instead of passing silently.
    QString quitWhileCleaning(const std::function<void()>& quit);

private:
    SampleWindow& sample;
    QString folder;
};
