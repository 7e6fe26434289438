import QtQuick 2.15

// One file-type category: a title bar (tick, name, size, fold arrow) and, while open, its
// files ten at a time with "查看更多" for the next ten.
Column {
    id: group
    property int groupIndex
    property string title
    property string sizeText
    property bool checked
    property var files
    property bool expanded: false
    // The proxy shows fewer rows than the category holds.
    property bool hasMore: false

    function refreshMore() {
        hasMore = files && files.sourceModel && files.rowCount() < files.sourceModel.rowCount()
    }

    Connections {
        target: group.files
        function onRowsInserted() { group.refreshMore() }
        function onRowsRemoved() { group.refreshMore() }
        function onModelReset() { group.refreshMore() }
        function onMaxRowsChanged() { group.refreshMore() }
    }
    Connections {
        target: group.files ? group.files.sourceModel : null
        function onRowsInserted() { group.refreshMore() }
        function onRowsRemoved() { group.refreshMore() }
        function onModelReset() { group.refreshMore() }
    }
    Component.onCompleted: refreshMore()

    Rectangle {
        id: titleBar
        objectName: "title"
        width: group.width
        height: 32
        color: titleMouse.containsMouse ? "#E4F8F6" : "#F1FBFA"

        MouseArea {
            id: titleMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                group.expanded = !group.expanded
                if (group.expanded && group.files.rowCount() === 0)
                    group.files.setMaxRows(group.files.rowCount() + 10)
            }
        }

        LargeFile_Tick {
            objectName: "groupTick"
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            checked: group.checked
            onClicked: lfListModel.setCheckedToChildren(group.groupIndex, !group.checked)
        }

        Text {
            x: 42
            anchors.verticalCenter: parent.verticalCenter
            text: group.title
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
            font.bold: true
        }

        Text {
            objectName: "groupSize"
            x: 560
            anchors.verticalCenter: parent.verticalCenter
            text: group.sizeText
            color: "#FF0000"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }

        Image {
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            source: "qrc:/UI/resources/UI/Arrow_Down.png"
            rotation: group.expanded ? 0 : 180
        }
    }

    Repeater {
        model: group.expanded ? group.files : null
        delegate: Rectangle {
            objectName: "file_" + index
            width: group.width
            height: 24
            color: rowMouse.containsMouse ? "#F5F7F7" : "#FFFFFF"

            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }

            LargeFile_Tick {
                objectName: "fileTick"
                x: 36
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                height: 16
                checked: model.checked
                onClicked: model.checked = !model.checked
            }

            Text {
                x: 62
                width: 480
                anchors.verticalCenter: parent.verticalCenter
                text: model.path
                elide: Text.ElideRight
                color: "#555555"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 13
            }

            Text {
                x: 560
                anchors.verticalCenter: parent.verticalCenter
                text: model.size
                color: "#555555"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 13
            }

            // Shown on hover like the other list pages; sharing itself is not offered.
            Image {
                x: 700
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                height: 16
                sourceSize: Qt.size(32, 32)
                visible: rowMouse.containsMouse
                source: "qrc:/UI/resources/UI/LargeFile_Share.svg"
            }
        }
    }

    Rectangle {
        objectName: "more"
        width: group.width
        height: 26
        visible: group.expanded && group.hasMore
        color: "#FFFFFF"

        Text {
            anchors.centerIn: parent
            text: "查看更多"
            color: moreMouse.containsMouse ? "#234545" : "#456767"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 13
            font.underline: moreMouse.containsMouse
        }

        MouseArea {
            id: moreMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: group.files.setMaxRows(group.files.maxRows + 10)
        }
    }
}
