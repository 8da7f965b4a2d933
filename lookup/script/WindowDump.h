// The state of a lookup window as text, for scripts that check what a
// person would see.
//
// One "name=value" line per item between "[dump]" and "[end]": caption,
// grid size and rows (header first, cells joined by TAB), current cell and
// selection, scroll bar, buttons, check boxes, the three lists with their
// positions, the search text, the focused control, column widths and
// alignments. Line breaks inside texts are written as \r and \n.
#pragma once

#include <QString>

namespace window {
class frmTrovex;
}

namespace lookup::script {

QString dumpWindow(window::frmTrovex& w);

}  // namespace lookup::script
