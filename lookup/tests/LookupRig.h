// Running a lookup in a test as a host does: a real company, a real window
// on the offscreen platform, driven by a lookup script through real events.
//
//   LookupRun run = runLookup([&] { trovex.FindAP_Accounts(testSession(), "Tests", 0); }, "dblclick row 2");
//
// Each lookup window is snapshotted as soon as it is ready and again at each
// line "snapshot". An empty script expects no window (one that opens anyway
// is cancelled and counted in windowsSeen). Message boxes are collected and
// answered OK.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "accpac/AccpacSession.h"
#include "errors/MessageBox.h"

namespace window {
class frmTrovex;
}
namespace lookup {
class Trovex;
}

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace lookup::tests {

struct WindowSnapshot {
    QString caption, searchText;
    QSize size;
    QStringList fields, headers;  // the engine's columns, the grid's row 0
    std::vector<QStringList> rows;
    std::vector<double> widths;
    std::vector<int> alignments;
    QString currentFilter;  // the engine's, of the last load
};

struct LookupRun {
    std::vector<WindowSnapshot> windows;
    std::vector<errors::MessageBoxRequest> boxes;
    int windowsSeen = 0;
    QString failure;  // the script's failure, "" when it ran through
};

// A session on the test program's one company, "Test Company".
std::shared_ptr<accpac::AccpacSession> testSession();

// The three result properties; and the three set to "<prefix> 1".."<prefix> 3" before a lookup.
QStringList results(const Trovex& trovex);
void seedResults(Trovex& trovex, const QString& prefix);
// The results after a selection of `row` by a preset that hands back the
// first `handsBack` of them, from columns 0, 1 and 3: a cell that is not
// empty comes back trimmed of its blanks, any other result keeps its seed
// "before N".
QStringList selectedResults(const QStringList& row, int handsBack);

// Runs `call` with `script` driving its windows; `prepare` acts on the first
// window right after its first snapshot.
LookupRun runLookup(const std::function<void()>& call, const QString& script,
                    const std::function<void(window::frmTrovex&)>& prepare = {});

}  // namespace lookup::tests
