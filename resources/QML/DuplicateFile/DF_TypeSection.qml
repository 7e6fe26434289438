import QtQuick 2.15

// One file type: its header (icon, title, groups, size, ticked count) and, unfolded, the
// rows of its all-files table, coloured by group.
Column {
    id: section

    property bool shown: true
    property bool expanded: false
    property int groups: 0
    property string sizeText: "0.00KB"
    property int checkedCount: 0
    readonly property var table: model.allTable
    readonly property string typeIcon: model.icon

    visible: shown
    height: shown ? implicitHeight : 0
    spacing: 0

    Connections {
        target: section.table
        function onNodeInfoTableChanged(count, size, checked) {
            section.groups = count
            section.sizeText = size
            section.checkedCount = checked
        }
        function onNodeCheckedCountChanged(checked) { section.checkedCount = checked }
    }

    Rectangle {
        objectName: "dfSectionHeader"
        width: section.width
        height: 44
        radius: 6
        color: headerMouse.containsMouse ? "#E4F8F6" : "#F1FBFA"

        Image {
            id: icon
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            width: 28
            height: 28
            sourceSize: Qt.size(56, 56)
            source: section.typeIcon
        }
        Text {
            id: title
            anchors.left: icon.right
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 100
            text: model.title
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 15
        }
        Text {
            objectName: "dfSectionInfo"
            anchors.left: title.right
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            text: "共<font color=\"#FF0000\">" + section.groups + "</font>组，占用<font color=\"#FF0000\">" + section.sizeText + "</font>,已选" + section.checkedCount + "个"
            textFormat: Text.StyledText
            color: "#666666"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 13
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            source: "qrc:/UI/resources/UI/Arrow_Down.png"
            rotation: section.expanded ? 180 : 0
        }
        MouseArea {
            id: headerMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: section.expanded = !section.expanded
        }
    }

    Item {
        visible: section.expanded
        width: section.width
        height: visible ? (files.count > 10 ? 300 : files.count > 0 ? 100 : 10) + (files.count > 0 ? 26 : 0) : 0

        Row {
            visible: files.count > 0
            x: 44
            height: 26
            Repeater {
                model: [["文件名", 230], ["所在位置", 330], ["大小", 100], ["修改时间", 140]]
                delegate: Text {
                    width: modelData[1]
                    height: 26
                    verticalAlignment: Text.AlignVCenter
                    text: modelData[0]
                    color: "#999999"
                    font.family: "HarmonyOS Sans SC"
                    font.pixelSize: 12
                }
            }
        }

        ListView {
            id: files
            objectName: "dfFiles"
            y: count > 0 ? 26 : 0
            width: parent.width
            height: parent.height - y
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: section.table
            delegate: DF_FileRow {
                width: files.width
                typeIcon: section.typeIcon
            }
        }
    }
}
