// The test rig: script driver, snapshots, collected boxes.
#include "LookupRig.h"

#include "lookup/Application.h"
#include "lookup/MessageRouting.h"
#include "lookup/script/ScriptDriver.h"
#include "window/frmTrovex.h"

namespace lookup::tests {

namespace {

WindowSnapshot snapshot(window::frmTrovex& w) {
    WindowSnapshot s;
    s.caption = w.windowTitle();
    const window::FlexGrid& grid = w.FinderGrid;
    for (int c = 0; c < grid.Cols(); ++c) {
        s.headers << grid.TextMatrix(0, c);
        s.widths.push_back(grid.ColWidth(c));
        s.alignments.push_back(grid.ColAlignment(c));
    }
    for (int r = 1; r < grid.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.Cols(); ++c) cells << grid.TextMatrix(r, c);
        s.rows.push_back(cells);
    }
    if (auto* finder = dynamic_cast<engine::Finder*>(w.finderInstance)) {
        s.columns = finder->columns();
        s.finderPrepare = finder->FinderPrepare;
        s.finderSeedPrepare = finder->FinderSeedPrepare;
        s.finderSeed = finder->FinderSeed;
        s.finderDefault = finder->FinderDefault;
        s.currentFilter = finder->currentFilter();
        s.resultField1 = finder->ResultField1;
        s.resultField2 = finder->ResultField2;
        s.resultField3 = finder->ResultField3;
    }
    s.searchText = w.txtSearch.Text();
    s.scrollValue = w.ScrollBar1.Value();
    s.scrollMax = w.ScrollBar1.Max();
    return s;
}

}  // namespace

QStringList WindowSnapshot::column(int c) const {
    QStringList out;
    for (const QStringList& row : rows) out << row.value(c);
    return out;
}

LookupRun runLookup(const std::function<void()>& call, const QString& script,
                    const std::function<void(window::frmTrovex&)>& prepare) {
    lookup::ensureApplication();
    LookupRun run;
    const auto take = script::Action::custom([&run](window::frmTrovex& w) { run.windows.push_back(snapshot(w)); },
                                             QStringLiteral("snapshot"));

    // The window is snapshotted first, and again at each "snapshot" line. An
    // empty script expects no window at all, so it takes no snapshot.
    std::vector<script::Action> actions;
    if (!script.isEmpty()) {
        for (const QString& part : script.split(QStringLiteral("\nsnapshot\n"))) {
            actions.push_back(take);
            if (prepare && actions.size() == 1) actions.push_back(script::Action::custom(prepare));
            for (script::Action& a : script::parseScript(part)) actions.push_back(std::move(a));
        }
    }

    const BoxObserver previous =
        setBoxObserver([&run](const errors::MessageBoxRequest& box) { run.boxes.push_back(box); });
    script::ScriptDriver driver(
        std::move(actions), [&run](const QString& text) { run.dumps << text; }, [](const QString&) {});
    driver.start();
    call();
    driver.finish();
    setBoxObserver(previous);
    run.windowsSeen = driver.windowsSeen();
    run.failure = driver.failure();
    return run;
}

QStringList viewColumn(accpac::AccpacSession& session, const QString& viewId, std::int16_t key, const QString& field,
                       const std::function<bool(accpac::AccpacFields&)>& keep) {
    const auto view = session.OpenView(viewId, viewId.left(2));
    view->setOrder(key);
    view->ClearRecord();
    view->ResetBrowse(false);
    view->Browse(QString(), true);
    QStringList out;
    while (view->Fetch())
        if (keep(view->Fields())) out << view->Fields().Item(field).Value().toText();
    return out;
}

}  // namespace lookup::tests
