import QtQuick 2.12
import QtQuick.Controls 2.12

// A tick box drawn with two pictures: imageSource + "Checked.png" and imageSource + "Nor.png".
// Inside a group the group decides what gets ticked; alone it toggles itself.
AbstractButton {
    id: control

    property string imageSource: ""
    property var buttonGroup: null
    property int imageSize: 18

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    contentItem: Row {
        spacing: 8

        Image {
            anchors.verticalCenter: parent.verticalCenter
            width: control.imageSize
            height: control.imageSize
            source: control.imageSource + (control.checked ? "Checked.png" : "Nor.png")
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            visible: control.text !== ""
            text: control.text
            font.pixelSize: 14
            color: "#666666"
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.NoButton
        cursorShape: Qt.PointingHandCursor
    }

    // Qt makes a button checkable as soon as it is ticked, and a checkable button flips
    // itself on a click before clicked() arrives; keep it plain so only the rule below decides.
    checkable: false
    onCheckableChanged: {
        if (checkable)
            checkable = false
    }

    onClicked: {
        if (buttonGroup)
            buttonGroup.checkButton(control)
        else
            checked = !checked
    }
}
