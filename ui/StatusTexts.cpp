#include "StatusTexts.h"

#include "DriveQuery.h"
#include "FormatFileSize.h"

namespace {
const QString red = QStringLiteral("<font color=\"#FF0000\">%1</font>");
}

QString StatusTexts::diskSentence() {
    const QString tail = QStringLiteral("，清理文件不影响系统正常使用");
    const auto space = DriveQuery::query("C:");
    if (!space)
        return tail;
    return QStringLiteral("C盘(系统盘)可用%0GB/共%1GB")
               .arg(space->freeGiB, 0, 'f', 2)
               .arg(space->totalGiB, 0, 'f', 2) +
           tail;
}

QString StatusTexts::foundSentence(std::uint64_t found, std::uint64_t selected) {
    return QStringLiteral("发现可释放") + red.arg(FormatFileSize(found)) +
           QStringLiteral("，已选") + red.arg(FormatFileSize(selected));
}

QString StatusTexts::movableSentence(std::uint64_t found, std::uint64_t selected) {
    return QStringLiteral("发现可移动文件") + red.arg(FormatFileSize(found)) +
           QStringLiteral("，已选") + red.arg(FormatFileSize(selected));
}

QString StatusTexts::recordsSentence(int records, int checked) {
    return QStringLiteral("发现隐私记录") + red.arg(records) + QStringLiteral("条，已选") +
           red.arg(checked) + QStringLiteral("条");
}

QString StatusTexts::homeCleanable(std::uint64_t found) {
    return QStringLiteral("可清理") + red.arg(FormatFileSize(found));
}

QString StatusTexts::homeMovable(std::uint64_t found) {
    return QStringLiteral("可搬家") + red.arg(FormatFileSize(found));
}

QString StatusTexts::homeRecords(int records) {
    return QStringLiteral("可清理") + red.arg(records) + QStringLiteral("条");
}

QString StatusTexts::cleanFinished(std::uint64_t freed) {
    return QStringLiteral("清理完成,本次为您释放了%1的空间!").arg(FormatFileSize(freed));
}

QString StatusTexts::chatCleanFinished(std::uint64_t freed) {
    return QStringLiteral("清理完成,本次释放了<font color='#ff0000'>%1</font>的空间!")
        .arg(FormatFileSize(freed));
}

QString StatusTexts::moveFinished(std::uint64_t moved) {
    return QStringLiteral("搬家完成,本次为C盘释放了%1的空间!").arg(FormatFileSize(moved));
}

QString StatusTexts::moveIncomplete(std::uint64_t moved, int stayed) {
    return QStringLiteral("%1个文件未能移动,本次为C盘释放了%2的空间!")
        .arg(stayed)
        .arg(FormatFileSize(moved));
}
