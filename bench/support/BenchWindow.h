#pragma once

#include <QString>
#include <functional>
#include <memory>

class Merivane;
class QQuickWidget;

// The real main window, made and shown as start-up makes it, with one page open: the
// benchmarks time engines with their page on screen, its models and proxies attached as
// the window wires them, its log lines written as the program writes them.
class BenchWindow {
public:
    // Before the QApplication: the attributes start-up sets.
    static void prepareApplication();

    // The works are built with the window: the drives and registry must be set before.
    BenchWindow();
    ~BenchWindow();

    // Opens the page of a navigation button ("btnVXClean") and lets it render.
    void open(const QString& navigationButton);
    Merivane& window() const { return *window_; }
    // A list view of the window by object name ("qwVXCleanList").
    QQuickWidget* view(const QString& name) const;
    // Turns the event loop until `done` holds (checked every few milliseconds).
    static void waitFor(const std::function<bool()>& done);

private:
    std::unique_ptr<Merivane> window_;
};
