// What the lookup window needs of the engine that serves it.
//
// The window reaches its engine through `finderInstance` for the whole
// lookup: to load (PrepareFinder), to search (FindNow), to page (the
// navigation operations and atTop/atBot) and to hand back the selected row
// (the result fields). The engine class implements this interface.
#pragma once

#include <QString>
#include <cstdint>

namespace window {

class frmTrovex;

class FinderEngine {
public:
    virtual ~FinderEngine() = default;

    // Grid column numbers, as decimal text, whose cells become the results;
    // ResultField3 "" means no third result.
    QString ResultField1, ResultField2, ResultField3;
    // Results handed back to the caller.
    QString FinderResult1, FinderResult2, FinderResult3;

    virtual frmTrovex& form() = 0;  // myFinderForm, created when empty

    virtual void PrepareFinder(QString& textboxStartingValue, std::int16_t& ColNumOfOrderKey) = 0;
    virtual void FindNow(QString& Field, std::int16_t& condition, QString searchString) = 0;
    virtual void GOTOTOP() = 0;
    virtual void GOTOBOT() = 0;
    virtual void NEXTBATCH() = 0;
    virtual void PREVBATCH() = 0;
    virtual void NEXTLINE() = 0;
    virtual void PREVLINE() = 0;
    virtual bool atTop() = 0;
    virtual bool atBot() = 0;
};

}  // namespace window
