#pragma once

#include "WorkPage.h"

#include <vector>

namespace Ui {
class MerivaneClass;
}

// The rows of the window's status table: one per function page whose work exists.
class WorkPageTable {
public:
    static std::vector<WorkPage> build(Ui::MerivaneClass& ui);
    static WorkPage cclean(Ui::MerivaneClass& ui);
};
