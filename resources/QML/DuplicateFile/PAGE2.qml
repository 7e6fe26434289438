import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/QML/resources/QML"

// The result page: the state of the scan or clean with its main button, the drive box,
// the type bar and one section per file type listing the copies found.
Item {
    id: page

    property var drives: []
    // The last page code: 1 scanning, 3 stopped, 4 finished, 5 cleaning, 6 cleaned.
    property int status: 0
    property string resultText: ""
    property string currentPath: ""
    property int groupsFound: 0
    property bool cancelling: false
    // 0: all types; n: only the n-th type.
    property int typeFilter: 0
    signal scanRequested(string drive)

    function selectDrive(drive) {
        for (var i = 0; i < drives.length; ++i) {
            if (drives[i].name.charAt(0) === drive.charAt(0))
                driveBox.currentIndex = i
        }
    }
    function driveLabel(name) {
        return name === "*" ? "全盘扫描" : "本地磁盘(" + name + ")"
    }

    readonly property bool busy: status === 1 || status === 5
    readonly property string titleText: status === 1 ? "正在扫描重复文件..."
                                        : status === 5 ? "正在清理重复文件..." : resultText
    readonly property string mainText: status === 1 ? (cancelling ? "取消中..." : "取消扫描")
                                       : status === 3 || groupsFound === 0 ? "重新扫描"
                                       : status === 6 ? "继续删除" : "一键删除"

    Connections {
        target: TypeGroups
        function onScanStatusChanged(code) {
            page.status = code
            if (code === 1) {
                page.cancelling = false
                page.currentPath = ""
                page.resultText = ""
            }
        }
        function onCurrentScanPathChange(path) { page.currentPath = path }
        function onScanDriveChanged(drive) { page.selectDrive(drive) }
        function onScanFinishedInfo(groups, size, checked) {
            page.groupsFound = groups
            // A scan stopped before any group was confirmed says so: the drive may well
            // hold copies.
            page.resultText = groups === 0 ? (page.status === 3 ? "扫描已取消，尚未找出重复文件"
                                                                : "扫描结束，暂未发现重复文件")
                : "已找出重复文件<font color=\"#FF0000\">" + groups + "组</font>，占用<font color=\"#FF0000\">" + size + "</font>"
            if (groups > 0)
                page.status = 4
        }
    }

    // Status icon: the waiting picture while busy, the warning sign with results.
    AnimatedImage {
        x: 10
        y: 29
        width: 50
        height: 50
        visible: page.busy
        playing: visible
        source: "qrc:/UI/resources/UI/WaitLoading.gif"
    }
    Image {
        x: 10
        y: 29
        width: 50
        height: 50
        visible: !page.busy
        sourceSize: Qt.size(100, 100)
        source: "qrc:/UI/resources/UI/Warning.png"
    }

    Text {
        objectName: "dfTitle"
        x: 71
        y: 27
        width: 500
        text: page.titleText
        textFormat: Text.StyledText
        elide: Text.ElideRight
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 20
    }
    Text {
        objectName: "dfSubtitle"
        x: 72
        y: 62
        width: 500
        visible: page.busy
        text: (page.status === 5 ? "正在清理:" : "正在扫描:") + page.currentPath
        elide: Text.ElideMiddle
        color: "#999999"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 13
    }

    Text {
        objectName: "dfRescan"
        x: 580
        y: 47
        visible: (page.status === 4 || page.status === 6) && page.groupsFound > 0
        text: "重新扫描"
        color: rescanMouse.containsMouse ? "#234545" : "#456767"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
        font.underline: rescanMouse.containsMouse
        MouseArea {
            id: rescanMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: page.scanRequested(page.drives[driveBox.currentIndex].name)
        }
    }

    DF_Button {
        id: mainButton
        objectName: "dfMainButton"
        x: 680
        y: 30
        width: 170
        height: 50
        fontSize: 16
        visible: page.status !== 5
        enabled: !(page.status === 1 && page.cancelling)
        text: page.mainText
        onClicked: {
            if (page.status === 1) {
                if (Host.cancelScan())
                    page.cancelling = true
            } else if (page.status === 3 || page.groupsFound === 0) {
                page.scanRequested(page.drives[driveBox.currentIndex].name)
            } else {
                if (page.status === 6)
                    page.status = 4
                Host.clean()
            }
        }
    }

    // Drive box and type bar.
    Text {
        x: 20
        y: 112
        text: "当前扫描项目"
        color: "#666666"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }
    ComboBox {
        id: driveBox
        objectName: "dfDriveBox"
        x: 112
        y: 104
        width: 170
        height: 32
        enabled: !page.busy
        model: page.drives
        textRole: "name"
        displayText: currentIndex >= 0 && currentIndex < page.drives.length ? page.driveLabel(page.drives[currentIndex].name) : ""
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 13
        delegate: ItemDelegate {
            width: driveBox.width
            text: page.driveLabel(modelData.name)
            font: driveBox.font
            highlighted: driveBox.highlightedIndex === index
        }
        background: Rectangle {
            radius: 6
            border.width: 2
            border.color: "#999999"
            color: "#FFFFFF"
        }
        onActivated: page.scanRequested(page.drives[index].name)
    }

    Row {
        id: typeBar
        objectName: "dfTypeBar"
        x: 310
        y: 104
        height: 32
        spacing: 6
        Repeater {
            model: TypeGroups.rowCount() + 1
            delegate: Rectangle {
                readonly property bool current: page.typeFilter === index
                width: label.implicitWidth + 24
                height: 32
                radius: 16
                color: current ? "#29DDD3" : typeMouse.containsMouse ? "#E4F8F6" : "#F3F6F6"
                Text {
                    id: label
                    anchors.centerIn: parent
                    text: index === 0 ? "所有类型" : TypeGroups.item(index - 1).title.substring(2)
                    color: parent.current ? "#FFFFFF" : "#456767"
                    font.family: "HarmonyOS Sans SC"
                    font.pixelSize: 13
                }
                MouseArea {
                    id: typeMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: page.typeFilter = index
                }
            }
        }
    }

    ListView {
        id: sections
        objectName: "dfSections"
        x: 10
        y: 150
        width: parent.width - 30
        height: parent.height - y - 10
        clip: true
        spacing: 8
        interactive: false
        model: TypeGroups
        delegate: DF_TypeSection {
            width: sections.width
            shown: page.typeFilter === 0 || page.typeFilter === index + 1
        }
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.NoButton
            onWheel: scrollBar.wheel(wheel.angleDelta.y)
        }
    }
    ThinScrollBar {
        id: scrollBar
        x: sections.x + sections.width + 4
        target: sections
        wheelStep: 40
    }
}
