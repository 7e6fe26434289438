#pragma once

#include "WorkPage.h"

#include <vector>

namespace Ui {
class MerivaneClass;
}

// The window's pages, one row each, in the order they are set up: C-drive, WeChat, QQ,
// large files, duplicate files, software uninstall, privacy.
class WorkPageTable {
public:
    static std::vector<WorkPage> build(Ui::MerivaneClass& ui);
};
