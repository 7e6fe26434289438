#include "TestUninstallWork.h"

#include "LM_SoftWareInfoModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {
constexpr int runTimeoutMs = 30000;
}

TestUninstallWork::~TestUninstallWork() {
    if (!waitIdle())
        qFatal("a run did not finish");
}

bool TestUninstallWork::scan() {
    QSignalSpy status(model(), &LM_SoftWareInfoModel::scanStatusChanged);
    if (StartScan() != 1)
        return false;
    return QTest::qWaitFor(
               [&] { return !status.isEmpty() && status.constLast().at(0).toInt() == 3; },
               runTimeoutMs) &&
           waitIdle();
}

bool TestUninstallWork::waitIdle() {
    const bool idle = QTest::qWaitFor([this] { return !HasRegisteredRun(); }, runTimeoutMs);
    // Calls the workers queued before they left.
    QCoreApplication::processEvents();
    return idle;
}

QList<TestUninstallWork::Start> TestUninstallWork::starts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return starts_;
}

std::uint64_t TestUninstallWork::MeasureFolder(const QString& folder) {
    if (measureGate)
        measureGate->pass();
    return Work_UninstallSoft::MeasureFolder(folder);
}

bool TestUninstallWork::StartProgram(const QString& program, const QString& parameters) {
    if (startGate)
        startGate->pass();
    std::lock_guard<std::mutex> lock(mutex_);
    starts_.append({program, parameters});
    return !failing.contains(program);
}
