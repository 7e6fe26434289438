import QtQuick 2.15

// One category: a 32-pixel title with its tick, title, size and fold arrow; opened, its
// files ten at a time through the paging proxy `files`, with "查看更多" for the next ten.
Column {
    id: section
    property string title
    property string sizeText
    property bool checked: false
    // The category's RowLimitProxyModel.
    property var files
    // The role that says whether a file shows ("visible" or "visiable").
    property string visibleRole: "visible"
    property bool expanded: false
    // Whether the proxy holds back rows of its source.
    property bool hasMore: false
    signal checkClicked()

    function refreshMore() {
        hasMore = !!files && files.rowCount() < files.sourceModel.rowCount()
    }
    function showMore() {
        files.setMaxRows(files.rowCount() + 10)
        refreshMore()
    }

    Component.onCompleted: refreshMore()

    Connections {
        target: section.files ? section.files.sourceModel : null
        function onRowsInserted() { section.refreshMore() }
        function onRowsRemoved() { section.refreshMore() }
        function onModelReset() { section.refreshMore() }
    }

    Rectangle {
        id: bar
        objectName: "title"
        width: section.width
        height: 32
        radius: 4
        color: barMouse.containsMouse ? "#E4F8F6" : "#F1FBFA"

        MouseArea {
            id: barMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                section.expanded = !section.expanded
                if (section.expanded && section.files.rowCount() === 0)
                    section.showMore()
            }
        }

        ChatTickBox {
            id: tick
            objectName: "tick"
            x: 10
            anchors.verticalCenter: parent.verticalCenter
            checked: section.checked
            onClicked: section.checkClicked()
        }

        Text {
            anchors.left: tick.right
            anchors.leftMargin: 10
            anchors.right: size.left
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            text: section.title
            elide: Text.ElideRight
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }

        Text {
            id: size
            objectName: "size"
            anchors.right: arrow.left
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            horizontalAlignment: Text.AlignRight
            text: section.sizeText
            color: "#456767"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }

        Image {
            id: arrow
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            source: "qrc:/UI/resources/UI/Arrow_Down.png"
            rotation: section.expanded ? 180 : 0
        }
    }

    Column {
        id: rows
        width: section.width
        visible: section.expanded
        topPadding: fileRows.count > 0 ? 4 : 0
        bottomPadding: topPadding

        Repeater {
            id: fileRows
            // Rows are made only while the section is open.
            model: section.expanded ? section.files : null
            delegate: ChatFileRow {
                objectName: "file_" + index
                width: rows.width
                visible: model[section.visibleRole]
                height: visible ? 20 : 0
                checked: model.checked
                path: model.path
                sizeText: model.size
                onTickClicked: model.checked = !model.checked
            }
        }

        Text {
            objectName: "more"
            x: 34
            height: visible ? 22 : 0
            visible: section.hasMore
            verticalAlignment: Text.AlignVCenter
            text: "查看更多"
            color: moreMouse.containsMouse ? "#00796b" : "#29B5AD"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 12
            font.underline: moreMouse.containsMouse

            MouseArea {
                id: moreMouse
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: section.showMore()
            }
        }
    }
}
