#include "LM_PrivacyGroupData.h"

#include "LM_PrivacyFolderModel.h"

LM_PrivacyGroupData::LM_PrivacyGroupData(QObject* parent) : GroupListModel<TPrivacyGroup>(parent) {}

LM_PrivacyGroupData::~LM_PrivacyGroupData() = default;

void LM_PrivacyGroupData::resetCounts() {
    for (TPrivacyGroup* group : groups()) {
        if (group->model)
            group->model->resetCounts();
    }
    clearSizeTexts();
}
