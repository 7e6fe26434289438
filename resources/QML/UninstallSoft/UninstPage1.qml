import QtQuick 2.15

// The introduction page: a title and the button that starts the inventory.
Item {
    id: page
    signal scanClicked()

    Text {
        x: 60
        y: 180
        text: "点击扫描软件"
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 28
        font.bold: true
    }

    Text {
        x: 60
        y: 230
        text: "找出电脑上安装的软件，卸载不再使用的软件，释放C盘空间"
        color: "#999999"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    ProgressBtn {
        objectName: "scanButton"
        x: 60
        y: 290
        width: 181
        height: 45
        caption: "一键扫描"
        onClicked: page.scanClicked()
    }
}
