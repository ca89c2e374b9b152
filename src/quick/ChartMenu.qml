import QtQuick
import QtQuick.Controls

// The control's pop-up menus (Scheduler, Drag) as the chart shows them: rebuilt from the model's
// entries each time the control shows one, opened where the planner clicked or held a finger.
Menu {
    id: root

    property Item chart
    property string model: ""

    Component { id: entryComponent; MenuItem {} }
    Component { id: separatorComponent; MenuSeparator {} }

    Connections {
        target: root.chart
        function onMenuRequested(name, caption, entries, x, y) {
            while (root.count > 0)
                root.takeItem(0).destroy()
            root.model = name
            root.objectName = name
            root.title = caption
            for (const entry of entries) {
                if (entry.separator) {
                    root.addItem(separatorComponent.createObject(root))
                    continue
                }
                const item = entryComponent.createObject(root, {
                    text: entry.caption, enabled: entry.enabled, objectName: entry.name })
                const chosen = entry.name
                item.triggered.connect(() => root.chart.chooseMenuItem(name, chosen))
                root.addItem(item)
            }
            root.popup(x, y)
        }
    }
}
