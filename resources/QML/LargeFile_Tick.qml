import QtQuick 2.15

// A tick box that only shows `checked`: the owner decides what a click changes, so a
// binding to the model is never broken by the box itself.
Image {
    id: tick
    property bool checked: false
    signal clicked()

    width: 18
    height: 18
    sourceSize: Qt.size(36, 36)
    source: "qrc:/UI/resources/UI/" + (checked ? "Checked.png" : "Nor.png")

    MouseArea {
        anchors.fill: parent
        anchors.margins: -4
        cursorShape: Qt.PointingHandCursor
        onClicked: tick.clicked()
    }
}
