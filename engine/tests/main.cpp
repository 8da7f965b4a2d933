// The engine tests' company and rig. The engine drives a real lookup window,
// which needs an application object; a message box no test asked for fails
// the test instead of waiting for a click that never comes.
#include <QApplication>

#include "FinderRig.h"
#include "errors/modGeneral.h"
#include "tests/support/RecordingView.h"

namespace enginetest {

std::shared_ptr<accpac::AccpacSession> openCompany() {
    // Lives as long as the test program and takes its folder with it.
    static const std::unique_ptr<testsupport::TestCompany> company = [] {
        auto c = std::make_unique<testsupport::TestCompany>(QStringLiteral("Engine Test Company"));
        // clang-format off
        QList<QStringList> employees;
        for (const QString& k : keys(1, 30)) {
            const int i = k.toInt();
            employees << QStringList{k, "Employee " + k, "Last" + k, "First" + k, i % 5 ? "1" : "2",
                                     i % 2 ? "True" : "False", QString::number((i - 1) % 6 + 1),
                                     "2020-01-" + k};
        }
        c->load("CP0014",
                {"EMPLOYEE", "FULLNAME", "LASTNAME", "FIRSTNAME", "STATUS", "PARTTIME", "PAYFREQ", "HIREDATE"}, employees);
        c->execute("UPDATE CP0014 SET PAYFREQ = 9 WHERE EMPLOYEE = '07'");  // a code the list lacks
        c->load("GL0001", {"ACCTID", "ACCTDESC", "ACTIVESW", "ACCTTYPE"},
                {{"1000", "  Cash\tat bank  ", "True", "B"}, {"2000", "Payables", "False", "I"},
                 {"3000", "Retained", "True", "R"}});
        // clang-format on
        return c;
    }();
    return company->open();
}

FinderRig::FinderRig(const QString& viewId, const Columns& columns, int batchRows,
                     std::shared_ptr<accpac::AccpacSession> over, int order)
    : session(std::make_shared<testsupport::RecordingSession>(over ? over : openCompany(), log)) {
    errors::gSession = session;
    view = session->OpenView(viewId, viewId.left(2));
    finder.SetFinderView(session, view, accpac::MaxKeyText, std::int16_t(order));
    for (int i = 0; i < int(columns.size()); ++i)
        finder.AddFinderCol(columns[i].field, i, columns[i].width, std::int16_t(columns[i].alignment));
    grid().setHeight(batchRows * window::FlexGrid::RowHeightTwips + 100);
}

FinderRig::~FinderRig() { errors::gSession.reset(); }

}  // namespace enginetest

int main(int argc, char** argv) {
    // Listing the tests at build time runs this too, outside the test
    // environment; the window never needs a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    errors::setMessageSink([](const errors::MessageBoxRequest& box) {
        ADD_FAILURE() << "unexpected message box: " << box.text.toStdString();
        return 1;
    });
    return RUN_ALL_TESTS();
}
