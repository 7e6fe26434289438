import QtQuick 2.15

// The C-drive page: the rule groups of "groupData", each a foldable grid of folder tiles,
// with a thin scroll bar of our own instead of flicking.
Item {
    id: root
    width: 870
    height: 541

    ListView {
        id: list
        objectName: "groupList"
        width: parent.width - scrollBar.width - 4
        height: 541
        clip: true
        interactive: false
        boundsBehavior: Flickable.StopAtBounds
        spacing: 6
        cacheBuffer: 100000
        model: groupData
        delegate: TreeList_Group {
            objectName: "group_" + index
            width: list.width
            groupID: model.groupID
            groupTitle: model.groupTitle
            groupSize: model.groupSize
            groupListModel: model.groupListModel
        }
    }

    MouseArea {
        anchors.fill: list
        acceptedButtons: Qt.NoButton
        onWheel: scrollBar.wheel(wheel.angleDelta.y)
    }

    ThinScrollBar {
        id: scrollBar
        objectName: "scrollBar"
        target: list
        x: root.width - width - 2
    }
}
