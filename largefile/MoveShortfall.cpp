#include "MoveShortfall.h"

#include "PathQString.h"

#include <QStringList>
#include <algorithm>
#include <platform/WinError.h>

void MoveShortfall::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    stayed_.clear();
}

void MoveShortfall::add(std::size_t order, const std::filesystem::path& source,
                        std::uint32_t error) {
    Stayed stayed{order, PathToQString(source.filename()), error};
    std::lock_guard<std::mutex> lock(mutex_);
    stayed_.push_back(std::move(stayed));
}

int MoveShortfall::count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(stayed_.size());
}

QString MoveShortfall::reasons(int named) const {
    std::vector<Stayed> stayed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stayed = stayed_;
    }
    if (stayed.empty())
        return {};
    // Workers finish in any order; the user ticked them in this one.
    std::sort(stayed.begin(), stayed.end(),
              [](const Stayed& a, const Stayed& b) { return a.order < b.order; });
    QStringList parts;
    for (std::size_t i = 0; i < stayed.size() && static_cast<int>(i) < named; ++i)
        parts << stayed[i].name + QStringLiteral("(") + reasonText(stayed[i].error) +
                     QStringLiteral(")");
    QString text = QStringLiteral("未能移动: ") + parts.join(QStringLiteral("、"));
    if (static_cast<int>(stayed.size()) > named)
        text += QStringLiteral("等%1个文件").arg(stayed.size());
    return text;
}

QString MoveShortfall::reasonText(std::uint32_t error) {
    switch (error) {
    case platform::ErrorAlreadyExists:
        return QStringLiteral("目标文件夹中已有同名文件");
    case platform::ErrorSharingViolation:
        return QStringLiteral("文件正被其他程序使用");
    case platform::ErrorAccessDenied:
    case platform::ErrorWriteProtect:
        return QStringLiteral("没有访问权限");
    case platform::ErrorDiskFull:
    case platform::ErrorHandleDiskFull:
        return QStringLiteral("目标磁盘空间不足");
    case platform::ErrorFileNotFound:
    case platform::ErrorPathNotFound:
        return QStringLiteral("文件已被移走或更改");
    case platform::ErrorOperationAborted:
        return QStringLiteral("搬家已中止");
    default:
        return QStringLiteral("错误代码%1").arg(error);
    }
}
