import QtQuick 2.15

// The page's own information dialog: "提示" over a dimmed page, closed by its button.
Rectangle {
    id: dialog
    objectName: "dfTipDialog"

    property alias text: message.text

    function show(text) {
        message.text = text
        dialog.visible = true
    }

    visible: false
    color: "#66000000"

    // Swallows clicks meant for the page below.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
    }

    Rectangle {
        anchors.centerIn: parent
        width: 380
        // A long tip (two reasons why files stayed) pushes the button down.
        height: Math.max(190, message.implicitHeight + 130)
        radius: 10
        color: "#FFFFFF"

        Text {
            x: 24
            y: 18
            text: "提示"
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 16
            font.bold: true
        }

        Text {
            id: message
            objectName: "dfTipText"
            x: 24
            y: 58
            width: parent.width - 48
            wrapMode: Text.WordWrap
            color: "#555555"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }

        DF_Button {
            objectName: "dfTipOk"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 18
            width: 100
            height: 36
            text: "确定"
            onClicked: dialog.visible = false
        }
    }
}
