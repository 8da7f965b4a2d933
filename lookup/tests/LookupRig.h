// Running a lookup in a test as a host does: a real company, a real window
// on the offscreen platform, driven by a lookup script through real events.
//
//   lookup::tests::LookupRun run = lookup::tests::runLookup(
//       [&] { trovex.FindAP_Accounts(session, "Tests", 0); }, "dblclick row 2");
//   EXPECT_EQ(run.windows.at(0).caption, "...");
//
// The rig takes a snapshot of every lookup window as soon as it is ready,
// before the script acts on it; a line "snapshot" in the script takes
// another at that point. An empty script expects no window (one that opens
// anyway is cancelled and counted in windowsSeen). Message boxes are collected (and answered OK or by
// the script's "answer" lines).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <vector>

#include "engine/Finder.h"
#include "errors/MessageBox.h"

namespace window {
class frmTrovex;
}

// Texts in test failures as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace lookup::tests {

struct WindowSnapshot {
    QString caption;
    QStringList headers;                     // grid row 0
    std::vector<QStringList> rows;           // grid rows 1.., every cell
    std::vector<double> widths;              // the grid's column widths, twips
    std::vector<int> alignments;             // the grid's column alignments
    std::vector<engine::FinderCol> columns;  // the columns as the engine was given them
    QString finderPrepare, finderSeedPrepare, finderSeed, currentFilter;
    int finderDefault = 0;
    QString resultField1, resultField2, resultField3;
    QString searchText;
    int scrollValue = 0, scrollMax = 0;

    QStringList column(int c) const;  // the texts of one grid column, data rows only
};

struct LookupRun {
    std::vector<WindowSnapshot> windows;
    std::vector<errors::MessageBoxRequest> boxes;
    int windowsSeen = 0;
    QString failure;    // the script's failure, "" when it ran through
    QStringList dumps;  // output of "dump" lines
};

// Runs `call` (a Trovex method) with `script` driving its windows. `prepare`,
// when given, acts on the first window right after its first snapshot.
LookupRun runLookup(const std::function<void()>& call, const QString& script,
                    const std::function<void(window::frmTrovex&)>& prepare = {});

// The records of a view in the order of key `key`, each as the text of
// `field`, restricted to those for which `keep` is true. Reads the whole view,
// for comparing a lookup's batches with the truth.
QStringList viewColumn(accpac::AccpacSession& session, const QString& viewId, std::int16_t key, const QString& field,
                       const std::function<bool(accpac::AccpacFields&)>& keep);

}  // namespace lookup::tests
