#pragma once

#include <filesystem>

class LM_GroupModel;
struct FolderItem;

// One directory still to be listed: every regular file below it counts for `item`.
struct ScanTask {
    LM_GroupModel* model = nullptr;
    FolderItem* item = nullptr;
    std::filesystem::path dir;
};
