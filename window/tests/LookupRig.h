// A lookup as a preset runs it, for the window's tests: the real engine over
// accounts in a real company, with the window shown (not modally) so a test
// can act as the user. Every browse the engine makes is recorded with the
// place of the thumb at that moment.
//
// The company's accounts are "AB01".."AB20" then "AC01".."AC20" (40), with
// the descriptions "Account AB01"... . The lookup shows the account number
// (the order key), the description and the account type; the results are
// the number and the description.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "engine/Finder.h"
#include "tests/support/ViewDecorator.h"
#include "window/frmTrovex.h"

namespace windowtest {

constexpr int AccountCount = 40;
constexpr double DesignHeight = 5535;  // the window's inner height as designed, twips

// Account numbers `first`..`last`, counted from 1 in key order.
QStringList accountKeys(int first, int last);

struct BrowseCall {
    QString filter;
    bool ascending = true;
    int thumb = 0;  // ScrollBar1.Value when the browse was made
};

struct LookupColumn {
    const char* field;
    int width;  // twips
};

class LookupRig {
public:
    // The accounts lookup; `columns` replaces its columns.
    LookupRig();
    explicit LookupRig(const std::vector<LookupColumn>& columns);
    ~LookupRig();

    // Shows the window with an inner height of `height` twips (its first
    // layout loads the grid) and waits until it is active; false if it never is.
    bool show(double height = DesignHeight);

    window::frmTrovex& form() { return finder.form(); }
    window::FlexGrid& grid() { return form().FinderGrid; }
    QStringList keys();                       // column 0 of every data row, top to bottom
    std::vector<BrowseCall> searchBrowses();  // the browses that loaded a search result, in order
    QStringList searches();                   // their filters
    QWidget* focus() const;                   // the widget with the keyboard focus

    std::vector<BrowseCall> browses;
    engine::Finder finder;

private:
    std::shared_ptr<accpac::AccpacSession> session_;
};

}  // namespace windowtest
