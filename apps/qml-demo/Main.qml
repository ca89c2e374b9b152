import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tessaro

// The sample plant in the Qt Quick chart with its scroll bars and the hovered bar's tooltip, the
// selected work order's times beside it and a Save button that writes the pending changes to the
// file named in the field, then accepts them.
ApplicationWindow {
    id: window

    required property string plantFolder
    property string message: ""

    width: 1400
    height: 800
    visible: true
    title: qsTr("Tessaro Qt Quick demo")

    header: ToolBar {
        RowLayout {
            anchors.fill: parent
            ToolButton { text: qsTr("Undo"); enabled: chart.canUndo; onClicked: chart.undo() }
            ToolButton { text: qsTr("Redo"); enabled: chart.canRedo; onClicked: chart.redo() }
            ToolButton { text: qsTr("Next conflict"); onClicked: chart.showNextConflict(false) }
            ToolButton {
                text: qsTr("Lanes")
                checkable: true
                checked: chart.subLanes
                onToggled: chart.subLanes = checked
            }
            ToolButton {
                text: qsTr("Load")
                checkable: true
                checked: chart.loadStrips
                onToggled: chart.loadStrips = checked
            }
            Label { text: qsTr("Pending changes: %1").arg(chart.pendingChanges) }
            Item { Layout.fillWidth: true }
            TextField {
                id: saveFile
                objectName: "saveFile"
                Layout.preferredWidth: 320
                text: "changes.xml"
            }
            Button {
                objectName: "saveButton"
                text: qsTr("Save")
                enabled: chart.pendingChanges > 0
                onClicked: {
                    if (chart.saveChanges(saveFile.text)) {
                        chart.acceptChanges()
                        window.message = qsTr("Saved to %1").arg(saveFile.text)
                    } else {
                        window.message = qsTr("Cannot write %1").arg(saveFile.text)
                    }
                }
            }
        }
    }

    footer: Label { padding: 4; text: window.message }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        // The chart with its scroll bars: the horizontal one under the rows only, the list
        // keeping its place, the vertical one beside the rows below the time header.
        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            TessaroChart {
                id: chart
                objectName: "chart"
                anchors.fill: parent
                anchors.rightMargin: verticalBar.width
                anchors.bottomMargin: horizontalBar.height
                focus: true
                nowTime: new Date()
                Component.onCompleted: window.message = loadPlantFolder(window.plantFolder)
                onErrorRaised: (number, source, description) => window.message = description
                onStatusHint: text => window.message = text

                // The hovered bar's record, as the widget's tooltip says it, below the bar.
                ToolTip {
                    id: barToolTip
                    objectName: "barToolTip"
                    visible: chart.hoverText !== ""
                    text: chart.hoverText
                    delay: 300
                    // One line of the bar's text a line of the tip, as wide as its longest.
                    contentItem: Label {
                        text: barToolTip.text
                        textFormat: Text.PlainText
                    }
                    x: Math.max(0, Math.min(chart.hoverRect.x, chart.width - width))
                    y: chart.hoverRect.y + chart.hoverRect.height + 4
                }
            }

            ScrollBar {
                id: horizontalBar
                objectName: "horizontalBar"
                orientation: Qt.Horizontal
                policy: ScrollBar.AlwaysOn
                x: chart.chartArea.x
                width: chart.chartArea.width
                anchors.bottom: parent.bottom
                size: chart.chartArea.width / Math.max(1, chart.contentWidth)
                position: chart.contentX / Math.max(1, chart.contentWidth)
                stepSize: chart.dayWidth / 4 / Math.max(1, chart.contentWidth)
                onPositionChanged: if (active) chart.contentX = Math.round(position * chart.contentWidth)
            }

            ScrollBar {
                id: verticalBar
                objectName: "verticalBar"
                orientation: Qt.Vertical
                policy: ScrollBar.AlwaysOn
                anchors.right: parent.right
                y: chart.chartArea.y
                height: chart.chartArea.height
                size: chart.chartArea.height / Math.max(1, chart.contentHeight)
                position: chart.contentY / Math.max(1, chart.contentHeight)
                stepSize: chart.rowHeight / Math.max(1, chart.contentHeight)
                onPositionChanged: if (active) chart.contentY = Math.round(position * chart.contentHeight)
            }
        }

        Pane {
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            ColumnLayout {
                anchors.fill: parent
                Label { text: qsTr("Selected work order"); font.bold: true }
                Repeater {
                    model: chart.details
                    delegate: RowLayout {
                        required property var modelData
                        Label { text: modelData.caption; Layout.preferredWidth: 130 }
                        Label { text: modelData.text; font.bold: true }
                    }
                }
                Item { Layout.fillHeight: true }
            }
        }
    }
}
