// The lookup grid as the engine and the window use it: rows added and
// removed as TAB-joined texts, the current cell and its EnterCell, the
// selected block and its highlight, the user's keys and mouse, and rows and
// columns in twips. A real Qt view under the offscreen platform.
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "WindowTestSupport.h"
#include "window/controls/FlexGrid.h"
#include "window/controls/Twips.h"

using window::FlexGrid;
using windowtest::errorNumber;

namespace {

// Column `col` of every data row, top to bottom.
QStringList column(const FlexGrid& grid, int col) {
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r) texts << grid.TextMatrix(r, col);
    return texts;
}

QStringList row(const FlexGrid& grid, int r) {
    QStringList texts;
    for (int c = 0; c < grid.Cols(); ++c) texts << grid.TextMatrix(r, c);
    return texts;
}

// Whether the view paints grid cell (row, col) as selected.
bool highlighted(const FlexGrid& grid, int r, int c) {
    const QAbstractItemModel* model = grid.view()->model();
    return model->data(model->index(r - 1, c), Qt::BackgroundRole).isValid();
}

// A grid of three columns holding "a".."?" rows: "a\tA\t1", "b\tB\t2", ...
void fill(FlexGrid& grid, int dataRows) {
    grid.setCols(3);
    grid.setRows(dataRows + 1);
    for (int r = 1; r <= dataRows; ++r) {
        const QChar letter(u'a' + (r - 1));
        grid.setTextMatrix(r, 0, letter);
        grid.setTextMatrix(r, 1, letter.toUpper());
        grid.setTextMatrix(r, 2, QString::number(r));
    }
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        host = std::make_unique<QWidget>();
        host->resize(600, 400);
        grid = std::make_unique<FlexGrid>(host.get());
        grid->move(0, 0, 8000, 5000);
    }
    void cleanup() {
        grid.reset();
        host.reset();
    }

    void addItemSplitsAtTabsAndInsertsWhereAsked_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("at the end") << -1 << "c\tC\t3" << QStringList{"a", "b", "c"} << QStringList{"c", "C", "3"};
        QTest::newRow("at row 1 pushes the rows down")
            << 1 << "z\tZ\t9" << QStringList{"z", "a", "b"} << QStringList{"z", "Z", "9"};
        QTest::newRow("at Rows() is the end")
            << 3 << "x\tX\t8" << QStringList{"a", "b", "x"} << QStringList{"x", "X", "8"};
        QTest::newRow("missing cells are empty") << -1 << "q" << QStringList{"a", "b", "q"} << QStringList{"q", "", ""};
        QTest::newRow("cells past the last column are dropped")
            << 2 << "q\tQ\t7\tspare" << QStringList{"a", "q", "b"} << QStringList{"q", "Q", "7"};
        QTest::newRow("empty cells between tabs stay empty")
            << -1 << "\t\tlast" << QStringList{"a", "b", ""} << QStringList{"", "", "last"};
    }
    void addItemSplitsAtTabsAndInsertsWhereAsked() {
        QFETCH(int, index);
        QFETCH(QString, line);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, added);
        fill(*grid, 2);
        grid->AddItem(line, index);
        QCOMPARE(grid->Cols(), 3);
        QCOMPARE(column(*grid, 0), keys);
        QCOMPARE(row(*grid, keys.indexOf(added.first()) + 1), added);
    }

    void badIndexesAndValuesRaiseAndChangeNothing_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("value");
        QTest::addColumn<long>("number");
        QTest::newRow("AddItem at the header row") << "AddItem" << 0 << 381L;
        QTest::newRow("AddItem past the end") << "AddItem" << 5 << 381L;
        QTest::newRow("RemoveItem of the header row") << "RemoveItem" << 0 << 381L;
        QTest::newRow("RemoveItem past the last row") << "RemoveItem" << 4 << 381L;
        QTest::newRow("Row past the last row") << "setRow" << 4 << 381L;
        QTest::newRow("Col past the last column") << "setCol" << 3 << 381L;
        QTest::newRow("TextMatrix outside") << "setTextMatrix" << 4 << 381L;
        QTest::newRow("Rows without a data row") << "setRows" << 1 << 380L;
        QTest::newRow("no column at all") << "setCols" << 0 << 380L;
        QTest::newRow("negative column width") << "setColWidth" << -15 << 380L;
        QTest::newRow("unknown alignment code") << "setColAlignment" << 10 << 380L;
    }
    void badIndexesAndValuesRaiseAndChangeNothing() {
        QFETCH(QString, operation);
        QFETCH(int, value);
        QFETCH(long, number);
        fill(*grid, 3);
        grid->setColWidth(1, 1500);
        const std::map<QString, std::function<void()>> operations = {
            {"AddItem", [&] { grid->AddItem("x", value); }},
            {"RemoveItem", [&] { grid->RemoveItem(value); }},
            {"setRow", [&] { grid->setRow(value); }},
            {"setCol", [&] { grid->setCol(value); }},
            {"setTextMatrix", [&] { grid->setTextMatrix(value, 0, "x"); }},
            {"setRows", [&] { grid->setRows(value); }},
            {"setCols", [&] { grid->setCols(value); }},
            {"setColWidth", [&] { grid->setColWidth(1, value); }},
            {"setColAlignment", [&] { grid->setColAlignment(1, value); }},
        };
        QCOMPARE(errorNumber(operations.at(operation)), number);
        QCOMPARE(grid->Rows(), 4);
        QCOMPARE(grid->Cols(), 3);
        QCOMPARE(column(*grid, 0), (QStringList{"a", "b", "c"}));
        QCOMPARE(grid->ColWidth(1), 1500.0);
        QCOMPARE(grid->ColAlignment(1), 9);
    }

    void removeItemClosesTheGapAndKeepsOneDataRow() {
        fill(*grid, 3);
        grid->RemoveItem(2);
        QCOMPARE(column(*grid, 0), (QStringList{"a", "c"}));
        grid->RemoveItem(1);
        grid->RemoveItem(1);
        QCOMPARE(grid->Rows(), 2);
        QCOMPARE(row(*grid, 1), (QStringList{"", "", ""}));
        grid->AddItem("n\tN\t1");
        QCOMPARE(column(*grid, 0), (QStringList{"", "n"}));
    }

    void enterCellIsRaisedOncePerChangeBeforeTheSetterReturns() {
        fill(*grid, 5);
        QList<int> rowsSeen;
        grid->EnterCell = [&] { rowsSeen << grid->Row() * 10 + grid->Col(); };

        grid->setRow(3);
        QCOMPARE(rowsSeen, QList<int>{30});
        grid->setRow(3);
        grid->setRowSel(5);
        grid->setColSel(2);
        QCOMPARE(rowsSeen.size(), 1);
        grid->setCol(2);
        QCOMPARE(rowsSeen, (QList<int>{30, 32}));

        // Rows that take the current row away bring it to the new last row.
        grid->setRows(3);
        QCOMPARE(rowsSeen, (QList<int>{30, 32, 22}));
        grid->setRow(2);
        grid->RemoveItem(2);
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(rowsSeen.last(), 12);
    }

    void settingRowOrColCollapsesTheSelectedBlock() {
        fill(*grid, 5);
        grid->setRow(2);
        grid->setCol(0);
        grid->setRowSel(4);
        grid->setColSel(2);
        for (int r = 1; r <= 5; ++r)
            for (int c = 0; c < 3; ++c) QCOMPARE(highlighted(*grid, r, c), r >= 2 && r <= 4);

        grid->setRow(3);
        QCOMPARE(grid->RowSel(), 3);
        QCOMPARE(grid->ColSel(), 0);
        for (int r = 1; r <= 5; ++r)
            for (int c = 0; c < 3; ++c) QCOMPARE(highlighted(*grid, r, c), r == 3 && c == 0);

        // A block drawn upwards is the same block.
        grid->setRowSel(1);
        QVERIFY(highlighted(*grid, 2, 0));
        QVERIFY(!highlighted(*grid, 4, 0));
    }

    void userKeysSelectWholeRowsAndShiftStretchesTheBlock() {
        fill(*grid, 6);
        QVERIFY(windowtest::showActive(*host));
        grid->setRow(2);
        grid->SetFocus();
        int entered = 0;
        grid->EnterCell = [&] { ++entered; };

        QTest::keyClick(grid->view(), Qt::Key_Down);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->RowSel(), 3);
        QCOMPARE(grid->Col(), 0);
        QCOMPARE(grid->ColSel(), 2);
        QCOMPARE(entered, 1);

        QTest::keyClick(grid->view(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->RowSel(), 4);
        QCOMPARE(entered, 1);

        QTest::keyClick(grid->view(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->Row(), 6);
        QTest::keyClick(grid->view(), Qt::Key_Down);
        QCOMPARE(grid->Row(), 6);
        QCOMPARE(entered, 2);
    }

    void keyPressGivesCharacterCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("charCode");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 13;
        QTest::newRow("a letter") << int(Qt::Key_A) << int('a');
    }
    void keyPressGivesCharacterCodes() {
        QFETCH(int, key);
        QFETCH(int, charCode);
        fill(*grid, 2);
        QVERIFY(windowtest::showActive(*host));
        grid->SetFocus();
        QList<int> codes;
        grid->KeyPress = [&](int code) { codes << code; };
        QTest::keyClick(grid->view(), Qt::Key(key));
        QCOMPARE(codes, QList<int>{charCode});
    }

    void mouseOnCellsAndHeaderGivesTheCellAndTheEvents() {
        fill(*grid, 4);
        QVERIFY(windowtest::showActive(*host));
        int clicks = 0, doubleClicks = 0;
        grid->Click = [&] { ++clicks; };
        grid->DblClick = [&] { ++doubleClicks; };

        QTableView* view = grid->view();
        const QRect cell = view->visualRect(view->model()->index(2, 1));  // grid row 3, column 1
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(clicks, 1);
        QCOMPARE(grid->MouseRow(), 3);
        QCOMPARE(grid->MouseCol(), 1);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->ColSel(), 2);
        QVERIFY(grid->hasFocus());

        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->RowSel(), 1);

        QHeaderView* header = view->horizontalHeader();
        const QPoint onSection2(header->sectionViewportPosition(2) + header->sectionSize(2) / 2, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, onSection2);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(grid->MouseRow(), 0);
        QCOMPARE(grid->MouseCol(), 2);
        QCOMPARE(grid->Row(), 3);  // the header row is never selected
    }

    void rowsAndColumnsInTwips() {
        fill(*grid, 3);
        QTableView* view = grid->view();
        const int rowPixels = window::twipsToPixelsY(FlexGrid::RowHeightTwips);
        QCOMPARE(view->rowHeight(0), rowPixels);
        QCOMPARE(view->horizontalHeader()->sizeHint().height(), rowPixels);

        grid->setColWidth(1, 1500);
        QCOMPARE(grid->ColWidth(1), 1500.0);
        QCOMPARE(view->columnWidth(1), window::twipsToPixelsX(1500));
        grid->setColWidth(0, 0);
        QVERIFY(view->isColumnHidden(0));
        QCOMPARE(grid->ColWidth(0), 0.0);
        grid->setColWidth(0, 900);
        QVERIFY(!view->isColumnHidden(0));

        grid->setColAlignment(2, FlexGrid::AlignRightCenter);
        QCOMPARE(view->model()->data(view->model()->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);

        QCOMPARE(grid->FontName(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(grid->FontSize(), 8.25);
    }

private:
    std::unique_ptr<QWidget> host;
    std::unique_ptr<FlexGrid> grid;
};

QTEST_MAIN(GridTest)
#include "window_grid_test.moc"
