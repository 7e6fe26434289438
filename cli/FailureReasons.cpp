#include "FailureReasons.h"

#include "CliText.h"

#include <platform/WinError.h>

namespace {

struct Reason {
    const char* word;
    CliText::Id text;
};

Reason reasonOf(std::uint32_t error) {
    switch (error) {
    case platform::ErrorSharingViolation:
        return {"in-use", CliText::ReasonInUse};
    case platform::ErrorAccessDenied:
        return {"access-denied", CliText::ReasonAccessDenied};
    case platform::ErrorWriteProtect:
        return {"write-protected", CliText::ReasonWriteProtect};
    case platform::ErrorIoDevice:
    case platform::ErrorGenFailure:
        return {"io-error", CliText::ReasonIoError};
    case platform::ErrorDiskFull:
    case platform::ErrorHandleDiskFull:
        return {"disk-full", CliText::ReasonDiskFull};
    case platform::ErrorAlreadyExists:
        return {"exists", CliText::ReasonExists};
    case platform::ErrorFileNotFound:
        return {"gone", CliText::ReasonGone};
    case platform::ErrorPathNotFound:
        return {"path-gone", CliText::ReasonPathGone};
    case platform::ErrorFilenameExcedRange:
        return {"name-too-long", CliText::ReasonNameTooLong};
    case platform::ErrorOperationAborted:
        return {"cancelled", CliText::ReasonCancelled};
    default:
        return {"error", CliText::ReasonOther};
    }
}

} // namespace

Listing::Failure FailureReasons::describe(const ItemFailures::Failure& failure) {
    Listing::Failure described;
    if (!failure.path.empty())
        described.file = failure.path;
    described.name = failure.item;
    switch (failure.reason) {
    case ItemFailures::Reason::Changed:
        described.reason = QStringLiteral("changed");
        described.message = CliText::get(CliText::ReasonChanged);
        break;
    case ItemFailures::Reason::Differs:
        described.reason = QStringLiteral("differs");
        described.message = CliText::get(CliText::ReasonDiffers);
        break;
    case ItemFailures::Reason::NotStarted:
        described.reason = QStringLiteral("not-started");
        described.code = failure.error;
        described.message = CliText::get(CliText::ReasonNotStarted);
        break;
    case ItemFailures::Reason::Error: {
        const Reason reason = reasonOf(failure.error);
        described.reason = QString::fromLatin1(reason.word);
        described.code = failure.error;
        described.message = CliText::get(reason.text).arg(failure.error);
        break;
    }
    }
    return described;
}

std::vector<Listing::Failure>
FailureReasons::describe(const std::vector<ItemFailures::Failure>& failures) {
    std::vector<Listing::Failure> described;
    described.reserve(failures.size());
    for (const ItemFailures::Failure& failure : failures)
        described.push_back(describe(failure));
    return described;
}
