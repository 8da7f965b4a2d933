// The test rig: script driver, snapshots, collected boxes.
#include "LookupRig.h"

#include "accpac/Blanks.h"
#include "engine/Finder.h"
#include "lookup/Application.h"
#include "lookup/Trovex.h"
#include "lookup/script/ScriptDriver.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/TestCompany.h"
#include "window/frmTrovex.h"

namespace lookup::tests {

namespace {

WindowSnapshot snapshot(window::frmTrovex& w) {
    WindowSnapshot s;
    s.caption = w.windowTitle();
    s.searchText = w.txtSearch.Text();
    s.size = w.size();
    const window::FlexGrid& grid = w.FinderGrid;
    for (int c = 0; c < grid.Cols(); ++c) {
        s.headers << grid.TextMatrix(0, c);
        s.widths.push_back(grid.ColWidth(c));
        s.alignments.push_back(grid.ColAlignment(c));
    }
    for (int r = 1; r < grid.Rows(); ++r) {
        s.rows.emplace_back();
        for (int c = 0; c < grid.Cols(); ++c) s.rows.back() << grid.TextMatrix(r, c);
    }
    if (auto* finder = dynamic_cast<engine::Finder*>(w.finderInstance)) {
        for (const engine::FinderCol& col : finder->columns()) s.fields << col.fieldname;
        s.currentFilter = finder->currentFilter();
    }
    return s;
}

}  // namespace

std::shared_ptr<accpac::AccpacSession> testSession() {
    static testsupport::TestCompany company;
    static const std::shared_ptr<accpac::AccpacSession> session = company.open();
    return session;
}

QStringList results(const Trovex& trovex) { return {trovex.Result1(), trovex.Result2(), trovex.Result3()}; }

void seedResults(Trovex& trovex, const QString& prefix) {
    trovex.setResult1(prefix + QStringLiteral(" 1"));
    trovex.setResult2(prefix + QStringLiteral(" 2"));
    trovex.setResult3(prefix + QStringLiteral(" 3"));
}

QStringList selectedResults(const QStringList& row, int handsBack) {
    QStringList expected;
    for (const int n : {1, 2, 3}) {
        const QString cell = row.value(n == 3 ? 3 : n - 1);
        expected << (handsBack >= n && !cell.isEmpty() ? accpac::trimBlanks(cell) : QStringLiteral("before %1").arg(n));
    }
    return expected;
}

LookupRun runLookup(const std::function<void()>& call, const QString& script,
                    const std::function<void(window::frmTrovex&)>& prepare) {
    lookup::ensureApplication();
    LookupRun run;
    const auto take = script::Action::custom([&run](window::frmTrovex& w) { run.windows.push_back(snapshot(w)); },
                                             QStringLiteral("snapshot"));
    std::vector<script::Action> actions;
    if (!script.isEmpty()) {
        for (const QString& part : script.split(QStringLiteral("\nsnapshot\n"))) {
            actions.push_back(take);
            if (prepare && actions.size() == 1) actions.push_back(script::Action::custom(prepare));
            for (script::Action& a : script::parseScript(part)) actions.push_back(std::move(a));
        }
    }
    script::ScriptDriver driver(
        std::move(actions), [](const QString&) {}, [](const QString&) {});
    driver.start();
    {
        testsupport::MessageCapture boxes;  // after the driver, so the boxes come here
        call();
        run.boxes = boxes.boxes();
    }
    driver.finish();
    run.windowsSeen = driver.windowsSeen();
    run.failure = driver.failure();
    return run;
}

}  // namespace lookup::tests
