// The search side of the engine: preparing the window's search controls and
// loading the first batch each time the window lays itself out
// (PrepareFinder), and reloading the grid under a LIKE filter for a search
// (FindNow). Paging then stays inside the search result, because the reload
// makes the search filter part of CurrentFilter.
#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/Blanks.h"
#include "engine/Finder.h"
#include "engine/FinderInternal.h"
#include "window/frmTrovex.h"

namespace engine {

using detail::engineTrap;

void Finder::PrepareFinder(QString& textboxStartingValue, std::int16_t& ColNumOfOrderKey) {
    if (keptForLater(
            [this, text = textboxStartingValue, column = ColNumOfOrderKey]() mutable { PrepareFinder(text, column); }))
        return;
    const LoadRun run(*this);
    // A list position the lists do not have (no text column at all, or fewer
    // than four for the seeded preset) ends the preparation without a word.
    engineTrap("PrepareFinder")
        .endOnError(
            [&] {
                TopKey.clear();
                BottomKey.clear();
                BatchTopKey.clear();
                BatchBottomKey.clear();
                window::frmTrovex& f = form();
                f.scrollbarFocus = accpac::IntegerFalse;
                f.scrollkey = accpac::IntegerFalse;
                OrderKeyCol = ColNumOfOrderKey;

                const bool prepare = !accpac::trimBlanks(FinderPrepare).isEmpty();
                const bool seed = !accpac::trimBlanks(FinderSeedPrepare).isEmpty();
                if (prepare && seed)
                    StartFilter = FinderPrepare + QStringLiteral(" AND ") + FinderSeedPrepare;
                else if (prepare)
                    StartFilter = FinderPrepare;
                else if (seed)
                    StartFilter = FinderSeedPrepare;

                f.txtSearch.setText(QString());
                f.pbxFind.setEnabled(true);
                f.cboFindby.Clear();
                f.cboFindDesc.Clear();
                f.FinderGrid.setCols(int(FinderCols.size()));
                // Only text can be searched with LIKE; numbers, dates and
                // amounts are shown but not offered.
                for (std::size_t i = SkipFirst ? 1 : 0; i < FinderCols.size(); ++i) {
                    const accpac::AccpacField& field = fields().Item(FinderCols[i].fieldname);
                    if (field.Value().typeName() == QLatin1String("String")) {
                        f.cboFindby.AddItem(FinderCols[i].fieldname);
                        f.cboFindDesc.AddItem(field.Description());
                    }
                }
                f.cboFindby.setListIndex(0);
                f.cboFindDesc.setListIndex(0);
                f.cboCondition.Clear();
                f.cboCondition.AddItem(QStringLiteral("Starts with"));
                f.cboCondition.AddItem(QStringLiteral("Contains"));
                f.cboCondition.setListIndex(0);

                if (FinderDefault == 1) {
                    f.txtSearch.setText(FinderSeed);
                } else if (FinderDefault == 2) {
                    f.cboFindDesc.setListIndex(3);
                    f.cboCondition.setListIndex(1);
                    f.txtSearch.setText(FinderSeed);
                }

                if (textboxStartingValue.isEmpty())
                    FillFinderGrid(StartFilter);
                else
                    StartFinderWith(StartFilter, textboxStartingValue);
                // The seed's filter serves the first load only; searches
                // combine their own filter with the standing one alone.
                StartFilter = FinderPrepare;
            },
            accpac::errnum::InvalidPropertyValue);
}

void Finder::FindNow(QString& Field, std::int16_t& condition, QString searchString) {
    if (keptForLater(
            [this, field = Field, condition, searchString]() mutable { FindNow(field, condition, searchString); }))
        return;
    const LoadRun run(*this);
    // A failing step is reported and the search goes on, so the user always
    // gets a reload.
    errors::Trap trap = engineTrap("FindNow");
    trap([&] {
        // The item view shows the formatted item number but can only search
        // the stored one.
        if (view().ViewID() == QLatin1String("IC0310") && accpac::trimBlanks(Field) == QLatin1String("FMTITEMNO"))
            Field = QStringLiteral("ITEMNO");
    });
    const QString s = accpac::trimBlanks(searchString);
    QString filter;
    if (!s.isEmpty()) {
        const QString pattern = condition == 0 ? s + QLatin1Char('%') : QLatin1Char('%') + s + QLatin1Char('%');
        filter = Field + QStringLiteral(" LIKE ") + QLatin1Char('"') + pattern + QLatin1Char('"');
    }
    trap([&] { FillFinderGrid(filter); });
}

}  // namespace engine
