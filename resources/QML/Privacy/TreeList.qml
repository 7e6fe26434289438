import QtQuick 2.15
import ".." as Shared

// The privacy page: the trace groups of "groupData", drawn like the C-drive page's groups
// (foldable grids of ticked tiles, the thin scroll bar); each tile's label shows the
// records found ("4条").
Shared.TreeList {
    objectName: "privacyPage"
}
