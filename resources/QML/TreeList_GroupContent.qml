import QtQuick 2.15
import QtQuick.Layouts 1.15

// A group's tiles in six columns. Short rows are padded with invisible cells so a group
// of two tiles keeps the same column widths as a full one.
Item {
    id: content
    property var listModel
    readonly property int columns: 6

    implicitHeight: grid.implicitHeight + 24
    height: implicitHeight

    GridLayout {
        id: grid
        x: 0
        y: 12
        width: parent.width
        columns: content.columns
        columnSpacing: 0
        rowSpacing: 14

        Repeater {
            id: tiles
            model: content.listModel
            delegate: Item {
                Layout.fillWidth: true
                Layout.preferredWidth: 80
                Layout.preferredHeight: 96
                TreeList_GroupContentItem {
                    objectName: "tile_" + folderName
                    anchors.horizontalCenter: parent.horizontalCenter
                    icon: folderIcon
                    checked: folderChecked
                    name: folderName
                    sizeText: folderSize
                    onCheckClicked: content.listModel.setChecked(index, !folderChecked)
                }
            }
        }

        Repeater {
            model: Math.max(0, content.columns - tiles.count)
            delegate: Item {
                Layout.fillWidth: true
                Layout.preferredWidth: 80
                Layout.preferredHeight: 1
            }
        }
    }
}
