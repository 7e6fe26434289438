#include "WorkMetaTypes.h"

#include "IWork.h"

#include <QMetaType>

void RegisterWorkMetaTypes() {
    qRegisterMetaType<IWork::WorkStatus>("IWork::WorkStatus");
    qRegisterMetaType<fs::directory_entry>("fs::directory_entry");
    qRegisterMetaType<IWork::TWorkInfoEx>("IWork::TWorkInfoEx");
    qRegisterMetaType<qulonglong>("uintmax_t");
}
