import QtQuick 2.15

// One file of a category: its tick, its path and its size.
Rectangle {
    id: row
    property bool checked: false
    property string path
    property string sizeText
    signal tickClicked()

    height: 20
    color: hover.containsMouse ? "#F4FBFA" : "transparent"

    MouseArea {
        id: hover
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
    }

    ChatTickBox {
        id: tick
        objectName: "tick"
        x: 34
        anchors.verticalCenter: parent.verticalCenter
        boxSize: 14
        checked: row.checked
        onClicked: row.tickClicked()
    }

    Text {
        anchors.left: tick.right
        anchors.leftMargin: 10
        anchors.right: size.left
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        text: row.path
        elide: Text.ElideRight
        color: "#555555"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 12
    }

    Text {
        id: size
        anchors.right: parent.right
        anchors.rightMargin: 40
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        horizontalAlignment: Text.AlignRight
        text: row.sizeText
        color: "#456767"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 12
    }
}
