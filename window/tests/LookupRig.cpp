#include "LookupRig.h"

#include <QApplication>
#include <QTest>

#include "accpac/AccpacField.h"
#include "errors/modGeneral.h"
#include "tests/support/TestCompany.h"
#include "window/controls/Twips.h"

namespace windowtest {

namespace {

QStringList allKeys() {
    QStringList keys;
    for (const char* prefix : {"AB", "AC"})
        for (const QString& n : testsupport::numberedKeys(AccountCount / 2)) keys << QLatin1String(prefix) + n;
    return keys;
}

const testsupport::TestCompany& company() {
    static testsupport::TestCompany* c = [] {
        auto* made = new testsupport::TestCompany(QStringLiteral("Window Test Company"));
        QList<QStringList> accounts;
        for (const QString& key : allKeys())
            accounts << QStringList{key, key, QStringLiteral("Account ") + key, QStringLiteral("True"),
                                    QStringLiteral("B")};
        made->load(QStringLiteral("GL0001"), {"ACCTFMTTD", "ACCTID", "ACCTDESC", "ACTIVESW", "ACCTTYPE"}, accounts);
        return made;
    }();  // lives as long as the test program
    return *c;
}

// Hands every call to the view and notes each browse with the thumb's place.
class BrowseWatch : public testsupport::ViewDecorator {
public:
    BrowseWatch(std::shared_ptr<accpac::AccpacView> inner, LookupRig& rig)
        : ViewDecorator(std::move(inner)), rig_(rig) {}

    void Browse(const QString& filter, bool ascending) override {
        rig_.browses.push_back({filter, ascending, rig_.form().ScrollBar1.Value()});
        ViewDecorator::Browse(filter, ascending);
    }

private:
    LookupRig& rig_;
};

}  // namespace

QStringList accountKeys(int first, int last) { return allKeys().mid(first - 1, last - first + 1); }

LookupRig::LookupRig() : LookupRig({{"ACCTFMTTD", 1500}, {"ACCTDESC", 4000}, {"ACCTTYPE", 2000}}) {}

LookupRig::LookupRig(const std::vector<LookupColumn>& columns) : session_(company().open()) {
    errors::gSession = session_;
    auto view =
        std::make_shared<BrowseWatch>(session_->OpenView(QStringLiteral("GL0001"), QStringLiteral("GL")), *this);
    finder.SetFinderView(session_, view, accpac::MaxKeyText);
    for (int i = 0; i < int(columns.size()); ++i)
        finder.AddFinderCol(QLatin1String(columns[i].field), i, columns[i].width, window::FlexGrid::AlignLeftCenter);
    finder.FinderCaption = QStringLiteral("Finder - Accounts");
    finder.ResultField1 = QStringLiteral("0");
    finder.ResultField2 = QStringLiteral("1");
}

LookupRig::~LookupRig() { errors::gSession.reset(); }

bool LookupRig::show(double height) {
    form().resize(window::twipsToPixelsX(9510), window::twipsToPixelsY(height));
    form().show();
    form().activateWindow();
    return QTest::qWaitForWindowActive(&form());
}

QStringList LookupRig::keys() {
    QStringList list;
    for (int r = 1; r < grid().Rows(); ++r) list << grid().TextMatrix(r, 0);
    return list;
}

std::vector<BrowseCall> LookupRig::searchBrowses() {
    // The lookup has no fixed filter, so the browse that loads a search
    // result is its LIKE condition alone; paging inside the result adds key
    // conditions to it.
    std::vector<BrowseCall> calls;
    for (const BrowseCall& b : browses)
        if (b.filter.contains(QLatin1String(" LIKE ")) && !b.filter.contains(QLatin1String(" AND ")))
            calls.push_back(b);
    return calls;
}

QStringList LookupRig::searches() {
    QStringList list;
    for (const BrowseCall& b : searchBrowses()) list << b.filter;
    return list;
}

QWidget* LookupRig::focus() const { return QApplication::focusWidget(); }

}  // namespace windowtest
