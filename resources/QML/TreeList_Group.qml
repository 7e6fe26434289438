import QtQuick 2.15

// One rule group: a title bar that folds and unfolds the grid of its folder tiles.
Item {
    id: group
    property string groupID
    property string groupTitle
    property string groupSize
    property var groupListModel
    property bool expanded: true

    height: expanded ? title.height + content.height : title.height
    clip: true

    Behavior on height {
        NumberAnimation { duration: 100 }
    }

    TreeList_GroupTitle {
        id: title
        objectName: "title"
        width: parent.width
        title: group.groupTitle
        sizeText: group.groupSize
        expanded: group.expanded
        onToggled: group.expanded = !group.expanded
    }

    TreeList_GroupContent {
        id: content
        y: title.height
        width: parent.width
        listModel: group.groupListModel
    }
}
