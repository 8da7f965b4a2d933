// The engine tests' company and rig.
#include "FinderRig.h"

#include "errors/modGeneral.h"
#include "tests/support/RecordingView.h"
#include "window/frmTrovex.h"

namespace enginetest {

namespace {

testsupport::TestCompany* makeCompany() {
    auto* c = new testsupport::TestCompany(QStringLiteral("Engine Test Company"));
    QList<QStringList> employees;
    const QStringList keys = testsupport::numberedKeys(EmployeeCount);
    for (int i = 1; i <= EmployeeCount; ++i) {
        const QString k = keys[i - 1];
        employees << QStringList{k,
                                 QStringLiteral("Employee ") + k,
                                 QStringLiteral("Last") + k,
                                 QStringLiteral("First") + k,
                                 i % 5 == 0 ? QStringLiteral("2") : QStringLiteral("1"),
                                 i % 2 == 1 ? QStringLiteral("True") : QStringLiteral("False"),
                                 i == 7 ? QStringLiteral("9") : QString::number((i - 1) % 6 + 1),
                                 QStringLiteral("2020-01-") + k};
    }
    c->load(QStringLiteral("CP0014"),
            {"EMPLOYEE", "FULLNAME", "LASTNAME", "FIRSTNAME", "STATUS", "PARTTIME", "PAYFREQ", "HIREDATE"}, employees);

    QList<QStringList> codes;
    for (int i = 1; i <= CodeCount; ++i)
        codes << QStringList{QStringLiteral("E%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Code %1").arg(i),
                             i % 3 == 0 ? QStringLiteral("1") : QStringLiteral("0")};
    c->load(QStringLiteral("CP0007"), {"EARNDED", "LONGDESC", "INACTIVE"}, codes);
    c->load(QStringLiteral("GL0021"), {"IDSEG", "SEGVAL", "SEGVALDESC"}, {});
    c->load(QStringLiteral("GL0001"), {"ACCTFMTTD", "ACCTID", "ACCTDESC", "ACTIVESW", "ACCTTYPE"},
            {{"1000", "1000", "  Cash\tat bank  ", "True", "B"},
             {"2000", "2000", "Payables", "False", "I"},
             {"3000", "3000", "Retained", "True", "R"}});
    return c;
}

}  // namespace

const testsupport::TestCompany& company() {
    static testsupport::TestCompany* c = makeCompany();  // lives as long as the test program
    return *c;
}

const std::vector<Column>& employeeColumns() {
    static const std::vector<Column> columns{{"EMPLOYEE", 1500, 1}, {"FULLNAME", 2000, 1}, {"STATUS", 1000, 1},
                                             {"PARTTIME", 1000, 1}, {"PAYFREQ", 1000, 1},  {"HIREDATE", 1000, 1}};
    return columns;
}

double gridHeightFor(int rows) { return rows * window::FlexGrid::RowHeightTwips + 100; }

FinderRig::FinderRig(const QString& viewId, const std::vector<Column>& columns, int batchRows,
                     std::shared_ptr<accpac::AccpacSession> over) {
    session = std::make_shared<testsupport::RecordingSession>(over ? over : company().open(), log);
    errors::gSession = session;
    view = session->OpenView(viewId, viewId.left(2));
    finder.SetFinderView(session, view, accpac::MaxKeyText);
    for (int i = 0; i < int(columns.size()); ++i)
        finder.AddFinderCol(QLatin1String(columns[i].field), i, columns[i].width, std::int16_t(columns[i].alignment));
    finder.form().FinderGrid.setHeight(gridHeightFor(batchRows));
}

FinderRig::~FinderRig() { errors::gSession.reset(); }

void FinderRig::prepare(const QString& startText) {
    QString text = startText;
    std::int16_t keyColumn = 0;
    finder.PrepareFinder(text, keyColumn);
}

window::FlexGrid& FinderRig::grid() { return finder.form().FinderGrid; }

QStringList FinderRig::keys() {
    const window::FlexGrid& g = grid();
    QStringList list;
    for (int r = 1; r < g.Rows(); ++r) list << g.TextMatrix(r, 0);
    return list;
}

int FinderRig::row() { return grid().Row(); }

void FinderRig::selectRow(int r) {
    window::FlexGrid& g = grid();
    g.setRow(r);
    g.setRowSel(r);
}

ReportingSession::ReportingSession() : session(company().open()) { errors::gSession = session; }

ReportingSession::~ReportingSession() { errors::gSession.reset(); }

QStringList employeeKeys(int first, int last) {
    QStringList keys;
    for (int i = first; i <= last; ++i) keys << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return keys;
}

}  // namespace enginetest
