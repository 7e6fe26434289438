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
}
