#include "TestLargeFileWork.h"

#include "RuleFiles.h"

#include <fstream>

namespace {
QJsonDocument WithBroker(const QJsonDocument& rules) {
    WorkHarness::ensureBroker();
    return rules;
}
} // namespace

TestLargeFileWork::TestLargeFileWork(const QJsonDocument& rules)
    : Work_LargeFile(WithBroker(rules)), harness_(std::make_unique<WorkHarness>(*this)) {}

TestLargeFileWork::TestLargeFileWork() : TestLargeFileWork(RuleFiles::LoadLargeFileData()) {}

QJsonObject TestLargeFileWork::category(const QString& id, const QStringList& extensions,
                                        bool checked, const QString& title) {
    return {{"id", id},
            {"ext", QJsonArray::fromStringList(extensions)},
            {"description", title},
            {"checked", checked}};
}

fs::path TestLargeFileWork::sparse(const fs::path& file, std::uint64_t size) {
    fs::create_directories(file.parent_path());
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << "head:" << file.filename().string();
    }
    fs::resize_file(file, size);
    return file;
}

bool TestLargeFileWork::scan() {
    return harness_->run([this] { return StartScan(); }, LargeFileScanning, IWork::RunKind::Scan);
}

bool TestLargeFileWork::move() {
    return harness_->run([this] { return StartClean(); }, 1, IWork::RunKind::Clean);
}

bool TestLargeFileWork::Confirm(const QString& text) {
    questions << text;
    return confirmAnswer;
}

std::uint32_t TestLargeFileWork::MoveFile(const fs::path& source, const fs::path& destination,
                                          const std::atomic<bool>* cancel) const {
    if (beforeMove)
        beforeMove(source);
    return Work_LargeFile::MoveFile(source, destination, cancel);
}
