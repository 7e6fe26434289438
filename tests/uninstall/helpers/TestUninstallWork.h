#pragma once

#include "Work_UninstallSoft.h"

#include <QList>
#include <QSemaphore>
#include <QSet>
#include <QString>
#include <mutex>

// The uninstall work with its folder measurement and program starts watched: starts are
// recorded instead of run, chosen programs fail to start, and either step can be held
// until the test lets it go. Waits for its runs before it goes.
class TestUninstallWork : public Work_UninstallSoft {
public:
    struct Start {
        QString program;
        QString parameters;
        bool operator==(const Start& o) const {
            return program == o.program && parameters == o.parameters;
        }
    };

    // Holds a worker at one step until released; a failed check must not leave it stuck.
    struct Gate {
        ~Gate() { open.release(100000); }
        QSemaphore reached;
        QSemaphore open;
        void pass() {
            reached.release();
            open.acquire();
        }
    };

    ~TestUninstallWork() override;

    // Starts the inventory and waits until it has finished and its worker is gone.
    bool scan();
    // Waits until no worker is registered and their queued calls have arrived.
    bool waitIdle();

    QList<Start> starts() const;
    // Programs whose start fails. Set while no uninstall runs.
    QSet<QString> failing;
    // When set, each start waits at it first (on the uninstall worker).
    Gate* startGate = nullptr;
    // When set, each folder measurement waits at it first (on the inventory worker).
    Gate* measureGate = nullptr;

protected:
    std::uint64_t MeasureFolder(const QString& folder) override;
    bool StartProgram(const QString& program, const QString& parameters) override;

private:
    mutable std::mutex mutex_;
    QList<Start> starts_;
};

Q_DECLARE_METATYPE(TestUninstallWork::Start)
