// The lookup window as a person sees it: under a real X server (run with
// `xvfb-run -a`), the accounts of the demo company in the window at its
// design size, saved as a PNG. Without a display it skips.
//
// The picture goes to $TROVEX_SCREENSHOT, or window.png in the working
// folder; scripts/screenshot makes the README's picture with it.
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "accpac/AccpacField.h"
#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"
#include "engine/Finder.h"
#include "errors/modGeneral.h"
#include "window/frmTrovex.h"

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void theAccountsLookupOverTheDemoCompany() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("No display: run under xvfb-run to take the picture");
        QTemporaryDir dir;
        const QString path = dir.filePath("demo.sqlite");
        accpac::createCompany(path, {});
        auto session = accpac::openCompany(path);
        errors::gSession = session;
        errors::gRegistry = QStringLiteral("WindowScreenshot");
        errors::gWinXP = accpac::IntegerTrue;

        engine::Finder finder;
        finder.SetFinderView(session, session->OpenView("GL0001", "GL"), accpac::MaxKeyText);
        const std::pair<const char*, int> columns[] = {{"ACCTFMTTD", 1500}, {"ACCTDESC", 2700}, {"ACTIVESW", 900},
                                                       {"ACCTTYPE", 1300},  {"ABRKID", 1400},   {"ALLOCSW", 1900}};
        for (int i = 0; i < int(std::size(columns)); ++i)
            finder.AddFinderCol(columns[i].first, i, columns[i].second, window::FlexGrid::AlignLeftCenter);
        finder.FinderCaption = session->Company().Name + " - Sage Accpac General Ledger Accounts";
        finder.ResultField1 = "0";
        finder.ResultField2 = "1";

        QImage picture;
        QTimer::singleShot(0, [&] {
            window::frmTrovex& w = finder.form();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::qWait(300);       // let the window manager and the first paint settle
            w.FinderGrid.setRow(3);  // a selected row, as after a click
            w.FinderGrid.setColSel(w.FinderGrid.Cols() - 1);
            w.FinderGrid.SetFocus();
            QTest::qWait(100);
            picture = w.grab().toImage();
            QTest::mouseClick(w.pbxCancel.button(), Qt::LeftButton);
        });
        finder.ShowFinder();
        errors::gSession.reset();

        QVERIFY(!picture.isNull());
        const QString out = qEnvironmentVariable("TROVEX_SCREENSHOT", QStringLiteral("window.png"));
        QVERIFY2(picture.save(out), qPrintable(out));
        qInfo("Saved %s (%dx%d)", qPrintable(out), picture.width(), picture.height());
    }
};

int main(int argc, char** argv) {
    // The tests' own offscreen platform is no display a person looks at;
    // with a display the picture is taken on it (and a display that cannot
    // be reached falls back to offscreen, where the test skips).
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    QApplication app(argc, argv);
    ScreenshotTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowScreenshot.moc"
