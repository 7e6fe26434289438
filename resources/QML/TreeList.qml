import QtQuick 2.15

// The C-drive page: the rule groups of "groupData", each a foldable grid of folder tiles,
// with a thin scroll bar of our own instead of flicking.
Item {
    id: root
    width: 870
    height: 541

    readonly property int wheelStep: 20

    function clampContentY(y) {
        var top = list.originY
        var bottom = list.originY + Math.max(0, list.contentHeight - list.height)
        return Math.max(top, Math.min(y, bottom))
    }

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
        // A group folding away can leave the view past the end.
        onContentHeightChanged: contentY = root.clampContentY(contentY)
    }

    MouseArea {
        anchors.fill: list
        acceptedButtons: Qt.NoButton
        onWheel: {
            if (!scrollBar.visible)
                return
            list.contentY = root.clampContentY(list.contentY - wheel.angleDelta.y / 120 * root.wheelStep)
        }
    }

    Rectangle {
        id: scrollBar
        objectName: "scrollBar"
        readonly property real travel: list.height - height
        readonly property real scrollRange: Math.max(1, list.contentHeight - list.height)

        x: root.width - width - 2
        width: 6
        radius: 3
        color: "#888888"
        opacity: barMouse.pressed || barMouse.containsMouse ? 0.9 : 0.6
        visible: list.contentHeight > list.height
        height: Math.max(20, list.height * list.height / Math.max(1, list.contentHeight))
        y: (list.contentY - list.originY) / scrollRange * travel

        MouseArea {
            id: barMouse
            property real pressY: 0
            property real pressContentY: 0

            anchors.fill: parent
            anchors.margins: -3
            hoverEnabled: true
            onPressed: {
                pressY = mapToItem(root, mouse.x, mouse.y).y
                pressContentY = list.contentY
            }
            onPositionChanged: {
                if (!pressed || scrollBar.travel <= 0)
                    return
                var dy = mapToItem(root, mouse.x, mouse.y).y - pressY
                list.contentY = root.clampContentY(pressContentY + dy * scrollBar.scrollRange / scrollBar.travel)
            }
        }
    }
}
