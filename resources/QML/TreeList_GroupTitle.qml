import QtQuick 2.15

// The 30-pixel bar above a group: icon, title, size and the fold arrow.
Rectangle {
    id: bar
    property string title
    property string sizeText
    property bool expanded: true
    signal toggled()

    height: 30
    radius: 4
    color: mouse.containsMouse ? "#E4F8F6" : "#F1FBFA"

    Image {
        id: icon
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        sourceSize: Qt.size(32, 32)
        source: "qrc:/Icons/resources/icon/101.png"
    }

    Text {
        anchors.left: icon.right
        anchors.leftMargin: 8
        anchors.right: size.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: bar.title
        textFormat: Text.StyledText
        elide: Text.ElideRight
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    Text {
        id: size
        anchors.right: arrow.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        horizontalAlignment: Text.AlignRight
        text: bar.sizeText
        color: "#456767"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    Image {
        id: arrow
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        source: "qrc:/UI/resources/UI/Arrow_Down.png"
        rotation: bar.expanded ? 0 : 180
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: bar.toggled()
    }
}
