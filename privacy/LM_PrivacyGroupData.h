#pragma once

#include "GroupListModel.h"
#include "TPrivacyGroup.h"

// The groups of the privacy page, one row each, in rule-file order.
class LM_PrivacyGroupData : public GroupListModel<TPrivacyGroup> {
    Q_OBJECT
public:
    explicit LM_PrivacyGroupData(QObject* parent = nullptr);
    ~LM_PrivacyGroupData() override;

    // Clears every group's size text and every item's count, and tells the views.
    void resetCounts();
};
