import QtQuick 2.15

// A tick box with an optional label. It does not tick itself: the owner decides what a
// click means (a model's tick, or a box of the page's own).
Item {
    id: box
    property bool checked: false
    property string text: ""
    property int boxSize: 18
    signal clicked()

    implicitWidth: image.width + (label.visible ? label.implicitWidth + 8 : 0)
    implicitHeight: Math.max(image.height, label.implicitHeight)
    width: implicitWidth
    height: implicitHeight

    Image {
        id: image
        anchors.verticalCenter: parent.verticalCenter
        width: box.boxSize
        height: box.boxSize
        sourceSize: Qt.size(box.boxSize * 2, box.boxSize * 2)
        source: "qrc:/UI/resources/UI/" + (box.checked ? "Checked.png" : "Nor.png")
    }

    Text {
        id: label
        anchors.left: image.right
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        visible: box.text !== ""
        text: box.text
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    MouseArea {
        anchors.fill: parent
        anchors.margins: -3
        cursorShape: Qt.PointingHandCursor
        onClicked: box.clicked()
    }
}
