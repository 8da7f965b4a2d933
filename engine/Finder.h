// The lookup engine: one Finder serves one lookup.
//
// A preset creates it, binds it to a view (SetFinderView), declares the grid
// columns (AddFinderCol), sets the caption, filters and result columns through
// the public fields and runs the lookup (ShowFinder). The grid of the window
// never holds more than one batch: the engine remembers only the order-key
// texts at the edges of the batch and of the view, and every move re-browses
// the view from those texts with one keyed browse.
//
// The class is split by concern: Finder.cpp (state, view setup, ShowFinder),
// FinderLoading.cpp (batch loading), FinderLoads.cpp (loads that keep the
// window alive), FinderRows.cpp (the view and grid helpers every load and
// move shares), FinderNavigation.cpp and FinderSearch.cpp.
#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "accpac/AccpacSession.h"
#include "accpac/Variant.h"
#include "window/FinderEngine.h"

namespace window {
class frmTrovex;
class FlexGrid;
}  // namespace window
namespace errors {
class Trap;
}

namespace engine {

// One grid column: the field it shows, its width and alignment.
struct FinderCol {
    QString fieldname;           // "" until declared
    std::int32_t ColWidth = 0;   // twips
    std::int16_t Alignment = 0;  // 1 left-centre, 7 right-centre
};

class Finder : public window::FinderEngine {
public:
    Finder();  // initial values; creates the window and links it back
    ~Finder() override;
    Finder(const Finder&) = delete;
    Finder& operator=(const Finder&) = delete;

    // --- public fields, in the system's order --------------------------------
    std::unique_ptr<window::frmTrovex> myFinderForm;  // see form()
    std::shared_ptr<accpac::AccpacSession> FinderSession;
    std::shared_ptr<accpac::AccpacView> FinderView;
    accpac::AccpacFields* FinderFields = nullptr;  // FinderView's fields
    // FinderResult1..3 and ResultField1..3 are inherited from FinderEngine.
    QString FinderCaption;
    QString FinderPrepare;                          // the lookup's standing filter, "" for none
    std::int16_t FinderDefault = 0;                 // search preset: 0 none, 1 seed text, 2 fourth field + Contains
    QString FinderSeed;                             // text placed in the search box
    QString FinderSeedPrepare;                      // filter derived from the seed
    std::int16_t SkipFirst = accpac::IntegerFalse;  // IntegerTrue: column 0 is not offered for searching

    // --- interface ------------------------------------------------------------
    window::frmTrovex& form() override;  // myFinderForm, created (unlinked) when empty
    void SetFinderView(std::shared_ptr<accpac::AccpacSession> sess, std::shared_ptr<accpac::AccpacView> view,
                       const accpac::Variant& maxValue, std::int16_t viewOrder = 0);
    void SetFieldValue(const QString& Name, const accpac::Variant& value);
    void ShowFinder();
    void GOTOBOT() override;
    void GOTOTOP() override;
    void NEXTBATCH() override;
    void PREVBATCH() override;
    void NEXTLINE() override;
    void PREVLINE() override;
    void PrepareFinder(QString& textboxStartingValue, std::int16_t& ColNumOfOrderKey) override;
    void AddFinderCol(const QString& fieldname, std::int32_t ColNum, std::int32_t ColWidth = 0,
                      std::int16_t Alignment = 0);
    void FindNow(QString& Field, std::int16_t& condition, QString searchString) override;
    bool atBot() override;
    bool atTop() override;

    // Read-only views of the private state, for hosts' diagnostics and tests.
    const std::vector<FinderCol>& columns() const { return FinderCols; }
    const QString& currentFilter() const { return CurrentFilter; }

private:
    using KeyTargets = std::vector<QString*>;  // key members a row's order-key text is stored in

    // Loads that keep the window alive (FinderLoads.cpp). While a load reads
    // for long, the read pause lets the window's events through; a load or
    // move those events ask for is kept, the running load is abandoned, and
    // the kept one (the latest) runs once the running one has ended. Each
    // public load and move starts with
    //     if (keptForLater([=, this] { OPERATION(...); })) return;
    //     const LoadRun run(*this);
    class LoadRun {
    public:
        explicit LoadRun(Finder& finder);
        ~LoadRun();
        LoadRun(const LoadRun&) = delete;
        LoadRun& operator=(const LoadRun&) = delete;

    private:
        Finder& finder_;
    };
    bool keptForLater(std::function<void()> operation);
    bool readPause();  // the read pause while a load runs
    int loadDepth_ = 0;
    bool pumping_ = false;            // the pause is letting events through
    std::function<void()> keptLoad_;  // the latest load asked for meanwhile
    std::chrono::steady_clock::time_point lastPump_;

    // Loading (one batch at a time).
    QString Pickup_Presentation_String(const FinderCol& column, std::int16_t code);
    QString ColumnText(const FinderCol& column);
    void ClearFinderGrid();
    void SetupFinderGrid();
    void StartFinderWith(QString& filter, const QString& startValue);
    void FillFinderGrid(QString& filter);

    // Shared steps of the loads and moves (FinderRows.cpp); no trap of their
    // own, their errors reach the trap of the operation that called them.
    accpac::AccpacView& view();               // FinderView; error 91 when none is bound
    accpac::AccpacFields& fields();           // FinderFields; error 91 when none is bound
    window::FlexGrid& grid();                 // the window's FinderGrid
    std::int16_t rowsThatFit();               // whole grid rows in the grid's height
    FinderCol& columnAt(std::int32_t index);  // FinderCols entry; error 9 outside the table
    void resetView();                         // ClearRecord, then ResetBrowse(False)
    void putPreset();                         // the SetFieldValue value, when there is one
    void putMaxKey();                         // MaxKeyValue into the order-key field
    // OrderKeyField, `op` (" >= ", " < "...) and `key` between double
    // quotes, unchanged (a quote inside it is not doubled).
    QString keyCondition(const QString& op, const QString& key) const;
    // CurrentFilter + " AND " + the key condition; the condition alone when
    // CurrentFilter is empty.
    QString keyFilter(const QString& op, const QString& key) const;
    // The current record's cell texts in column order; the order-key text
    // also goes to each of `keys`. With `goOn`, a failing cell is reported and
    // the row goes on.
    QStringList rowCells(const KeyTargets& keys, errors::Trap* goOn = nullptr);
    // The same cells as one TAB-separated row for FlexGrid::AddItem.
    QString rowText(const KeyTargets& keys);
    // Fetches and writes records into data rows 1, 2... of a cleared grid,
    // cell by cell, while fewer than BatchRows are written and the view has
    // more; `more` ends as the last fetch's result. Each row's key goes to
    // BatchBottomKey, the first row's also to `firstRowKeys`. Returns the rows written.
    int fillRows(bool& more, const KeyTargets& firstRowKeys, errors::Trap* goOn = nullptr);
    // Fetches records of a descending browse and inserts each at row 1, up to
    // `limit`; each row's key goes to BatchTopKey, the first's also to
    // `firstRowKeys`. `dropEmptyRow`: the grid was just cleared, so the first
    // insert also drops the empty row it left. Returns the rows inserted.
    int fillRowsAbove(int limit, bool& more, bool dropEmptyRow, const KeyTargets& firstRowKeys);
    // Current row `row`, highlighted across every column.
    void selectGridRow(int row);

    QString MaxKeyValue;
    std::int16_t VisibleRows = 12;
    std::int16_t BatchRows = 12;
    QString TopKey, BottomKey, BatchTopKey, BatchBottomKey;
    QString CurrentFilter;
    QString OrderKeyField;
    std::int16_t OrderKeyCol = 0;
    QString StartFilter;
    std::vector<FinderCol> FinderCols;
    QString PresetField;
    accpac::Variant PresetValue;
    std::int16_t ViewOrder = 0;
    std::shared_ptr<accpac::AccpacView> ViewAR0041, ViewAR0042, ViewAR0043, ViewAR0044, ViewAR0045, ViewAR0061;
    std::shared_ptr<accpac::AccpacView> ViewIC0310, ViewIC0750, ViewIC0330;
    std::shared_ptr<accpac::AccpacView> ViewTX0001, ViewTX0002;
};

}  // namespace engine
