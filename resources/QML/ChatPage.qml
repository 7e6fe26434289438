import QtQuick 2.15
import QtQuick.Controls 2.15

// A chat program's page: quick-tick boxes for the usual choices above the categories of
// "vxListModel", each a foldable list of its files, with a thin scroll bar of our own.
Item {
    id: page
    // [{label, indexes}]: each box ticks or unticks the categories at these rows.
    property var quickTicks: []
    property string visibleRole: "visible"

    width: 870
    height: 471

    Row {
        id: quickRow
        x: 10
        height: 40
        spacing: 36

        Repeater {
            model: page.quickTicks
            delegate: ChatTickBox {
                objectName: "quick_" + index
                anchors.verticalCenter: parent.verticalCenter
                text: modelData.label
                onClicked: {
                    checked = !checked
                    vxListModel.SetCheckedIndexs(checked, modelData.indexes)
                }
            }
        }
    }

    ListView {
        id: list
        objectName: "categoryList"
        y: quickRow.height + 4
        width: parent.width - scrollBar.width - 4
        height: parent.height - y
        clip: true
        interactive: false
        boundsBehavior: Flickable.StopAtBounds
        spacing: 6
        model: vxListModel
        delegate: ChatCategorySection {
            objectName: "category_" + index
            width: list.width
            title: model.title
            sizeText: model.size
            checked: model.checked
            files: model.files
            visibleRole: page.visibleRole
            onCheckClicked: vxListModel.SetCheckedIndexs(!checked, [index])
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
        x: page.width - width - 2
    }

    Connections {
        target: vxListModel
        function onPopMsgTip(tip) {
            tipText.text = tip
            tipDialog.open()
        }
    }

    Popup {
        id: tipDialog
        objectName: "tipDialog"
        anchors.centerIn: parent
        width: 320
        height: 160
        modal: true
        padding: 0
        background: Rectangle {
            radius: 8
            color: "#FFFFFF"
            border.color: "#DDE6E6"
        }

        Text {
            x: 20
            y: 14
            text: "提示"
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 16
        }
        Image {
            id: tipIcon
            x: 20
            y: 56
            width: 32
            height: 32
            source: "qrc:/UI/resources/UI/Infomation.png"
        }
        Text {
            id: tipText
            anchors.left: tipIcon.right
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.rightMargin: 20
            anchors.verticalCenter: tipIcon.verticalCenter
            wrapMode: Text.Wrap
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }
        Rectangle {
            anchors.right: parent.right
            anchors.rightMargin: 20
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 14
            width: 80
            height: 30
            radius: 15
            color: okMouse.pressed ? "#00796b" : okMouse.containsMouse ? "#51D891" : "#29DDD3"
            Text {
                anchors.centerIn: parent
                text: "确定"
                color: "#FFFFFF"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 14
            }
            MouseArea {
                id: okMouse
                anchors.fill: parent
                hoverEnabled: true
                onClicked: tipDialog.close()
            }
        }
    }
}
