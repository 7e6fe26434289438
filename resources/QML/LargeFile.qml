import QtQuick 2.15

// The large-file page: a header, then one foldable section per file-type category of
// "lfListModel", with a thin scroll bar of our own instead of flicking.
Item {
    id: root
    width: 870
    height: 461

    Rectangle {
        id: header
        width: list.width
        height: 32
        color: "#F5F7F7"

        // Only a column mark: each category ticks its own files.
        LargeFile_Tick {
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            opacity: 0.5
        }
        Text {
            x: 42
            anchors.verticalCenter: parent.verticalCenter
            text: "名称"
            color: "#666666"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }
        Text {
            x: 560
            anchors.verticalCenter: parent.verticalCenter
            text: "大小"
            color: "#666666"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }
        Text {
            x: 694
            anchors.verticalCenter: parent.verticalCenter
            text: "操作"
            color: "#666666"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }
    }

    ListView {
        id: list
        objectName: "groupList"
        y: header.height + 4
        width: parent.width - scrollBar.width - 4
        height: parent.height - y
        clip: true
        interactive: false
        boundsBehavior: Flickable.StopAtBounds
        spacing: 4
        cacheBuffer: 100000
        model: lfListModel
        delegate: LargeFile_Group {
            objectName: "group_" + index
            width: list.width
            groupIndex: index
            title: model.title
            sizeText: model.size
            checked: model.checked
            files: model.files
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
