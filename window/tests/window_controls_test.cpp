// The lookup window's controls: changes made by code raise their handlers
// before the setter returns and only on a real change; bad values raise the
// system's error numbers; the user's events reach the same handlers, and an
// error a handler lets out there is reported, not thrown into Qt; geometry
// is in twips.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "WindowTestSupport.h"
#include "tests/support/MessageCapture.h"
#include "window/controls/CheckBox.h"
#include "window/controls/ComboList.h"
#include "window/controls/PushButton.h"
#include "window/controls/TextBox.h"
#include "window/controls/Twips.h"
#include "window/controls/VScrollBar.h"

using namespace window;
using windowtest::errorNumber;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        host = std::make_unique<QWidget>();
        host->setObjectName("frmTrovex");
        host->resize(600, 400);
    }
    void cleanup() { host.reset(); }

    // Each row sets a control to `from`, then to `to`, and counts the
    // handler's runs for the second change; the handler records the value
    // it sees, which must already be the new one.
    void codeChangesRaiseTheHandlerOnlyWhenTheValueChanges_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("check box checked") << "check"
                                           << "0"
                                           << "1" << QStringList{"1"};
        QTest::newRow("check box set to its value") << "check"
                                                    << "1"
                                                    << "1" << QStringList{};
        QTest::newRow("text replaced") << "text"
                                       << "ab"
                                       << "abc" << QStringList{"abc"};
        QTest::newRow("text set to itself") << "text"
                                            << "ab"
                                            << "ab" << QStringList{};
        QTest::newRow("text emptied") << "text"
                                      << "ab"
                                      << "" << QStringList{""};
        QTest::newRow("thumb moved") << "scroll"
                                     << "0"
                                     << "50" << QStringList{"50"};
        QTest::newRow("thumb set to its place") << "scroll"
                                                << "50"
                                                << "50" << QStringList{};
        QTest::newRow("thumb clamped into the range") << "scroll"
                                                      << "50"
                                                      << "150" << QStringList{"100"};
        QTest::newRow("Max below the thumb moves it") << "scrollmax"
                                                      << "50"
                                                      << "0" << QStringList{"0"};
        QTest::newRow("Max above the thumb leaves it") << "scrollmax"
                                                       << "50"
                                                       << "100" << QStringList{};
        QTest::newRow("list position chosen") << "list"
                                              << "-1"
                                              << "1" << QStringList{"1"};
        QTest::newRow("list position chosen again") << "list"
                                                    << "1"
                                                    << "1" << QStringList{"1"};
    }
    void codeChangesRaiseTheHandlerOnlyWhenTheValueChanges() {
        QFETCH(QString, control);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, seen);
        CheckBox check(new QCheckBox(host.get()));
        TextBox text(new QLineEdit(host.get()));
        VScrollBar scroll(new QScrollBar(host.get()));
        scroll.setMax(100);
        ComboList list(new QComboBox(host.get()));
        for (const char* entry : {"Starts with", "Contains"}) list.AddItem(entry);

        const std::map<QString, std::function<void(const QString&)>> set = {
            {"check", [&](const QString& v) { check.setValue(v.toInt()); }},
            {"text", [&](const QString& v) { text.setText(v); }},
            {"scroll", [&](const QString& v) { scroll.setValue(v.toInt()); }},
            {"scrollmax", [&](const QString& v) { scroll.setValue(v.toInt()); }},
            {"list", [&](const QString& v) { list.setListIndex(v.toInt()); }},
        };
        set.at(control)(from);
        QStringList handled;
        check.Click = [&] { handled << QString::number(check.Value()); };
        text.Change = [&] { handled << text.Text(); };
        scroll.Change = [&] { handled << QString::number(scroll.Value()); };
        list.Click = [&] { handled << QString::number(list.ListIndex()); };
        if (control == "scrollmax")
            scroll.setMax(to.toInt());
        else
            set.at(control)(to);
        QCOMPARE(handled, seen);
    }

    void listPositionsTheListDoesNotHaveRaise380_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<long>("number");
        QTest::addColumn<int>("listIndex");
        QTest::newRow("nothing chosen") << -1 << 0L << -1;
        QTest::newRow("the last entry") << 2 << 0L << 2;
        QTest::newRow("one past the last entry") << 3 << 380L << 0;
        QTest::newRow("below nothing") << -2 << 380L << 0;
    }
    void listPositionsTheListDoesNotHaveRaise380() {
        QFETCH(int, index);
        QFETCH(long, number);
        QFETCH(int, listIndex);
        ComboList list(new QComboBox(host.get()));
        for (const char* entry : {"ACCTID", "ACCTDESC", "ACCTTYPE"}) list.AddItem(entry);
        QCOMPARE(list.ListIndex(), -1);  // adding chooses nothing
        list.setListIndex(0);
        int clicks = 0;
        list.Click = [&] { ++clicks; };
        QCOMPARE(errorNumber([&] { list.setListIndex(index); }), number);
        QCOMPARE(list.ListIndex(), listIndex);
        QCOMPARE(clicks, number ? 0 : 1);
        QCOMPARE(list.Text(), list.List(listIndex));
    }

    void checkBoxTakesOnlyZeroAndOne() {
        CheckBox check(new QCheckBox(host.get()));
        for (int bad : {2, -1}) QCOMPARE(errorNumber([&] { check.setValue(bad); }), 380L);
        QCOMPARE(check.Value(), 0);
    }

    void userActionsRaiseTheSameHandlers() {
        CheckBox check(new QCheckBox("&Auto Search", host.get()));
        check.move(100, 100, 1500, 255);
        TextBox text(new QLineEdit(host.get()));
        text.move(100, 600, 3000, 315);
        ComboList list(new QComboBox(host.get()));
        list.move(100, 1200, 3000, 315);
        for (const char* entry : {"Starts with", "Contains"}) list.AddItem(entry);
        list.setListIndex(0);
        QVERIFY(windowtest::showActive(*host));

        QStringList events;
        check.Click = [&] { events << "check " + QString::number(check.Value()); };
        text.Change = [&] { events << "text " + text.Text(); };
        list.Click = [&] { events << "list " + QString::number(list.ListIndex()); };

        QTest::mouseClick(check.box(), Qt::LeftButton, {}, QPoint(6, check.box()->height() / 2));
        QTest::keyClick(host.get(), Qt::Key_A, Qt::AltModifier);  // the access key
        QTRY_COMPARE(check.Value(), 0);                           // its press is released 100 ms later
        text.SetFocus();
        QTest::keyClicks(text.edit(), "AB");
        list.SetFocus();
        QTest::keyClick(list.box(), Qt::Key_Down);
        QTRY_COMPARE(events, (QStringList{"check 1", "check 0", "text A", "text AB", "list 1"}));
    }

    void textBoxKeyDownGivesVirtualKeyCodesBeforeTheBoxActs_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << 34 << 0;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << 33 << 0;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 38 << 0;
        QTest::newRow("Down with Shift") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 40 << 1;
        QTest::newRow("a letter with Ctrl") << int(Qt::Key_B) << int(Qt::ControlModifier) << 66 << 2;
    }
    void textBoxKeyDownGivesVirtualKeyCodesBeforeTheBoxActs() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        TextBox text(new QLineEdit(host.get()));
        QVERIFY(windowtest::showActive(*host));
        text.SetFocus();
        QList<int> seen;
        text.KeyDown = [&](int code, int state) { seen << code << state; };
        QTest::keyClick(text.edit(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(seen.mid(seen.size() - 2), (QList<int>{keyCode, shift}));  // after the shift keys' own
    }

    // The bar's own step would page a second time after its KeyDown paged.
    void scrollBarKeysReachKeyDownButNeverMoveTheThumb() {
        VScrollBar scroll(new QScrollBar(host.get()));
        scroll.move(0, 0, 240, 3000);
        scroll.setMax(100);
        scroll.setValue(50);
        QVERIFY(windowtest::showActive(*host));
        scroll.SetFocus();
        QList<int> codes;
        int changes = 0;
        scroll.KeyDown = [&](int code, int) { codes << code; };
        scroll.Change = [&] { ++changes; };
        for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_Home, Qt::Key_End})
            QTest::keyClick(scroll.bar(), key);
        QCOMPARE(codes, (QList<int>{34, 33, 40, 36, 35}));
        QCOMPARE(scroll.Value(), 50);
        QCOMPARE(changes, 0);
    }

    void scrollBarClicksStepByTheDesignedChanges_data() {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("value");
        QTest::newRow("down arrow: small step") << int(QStyle::SC_ScrollBarAddLine) << 51;
        QTest::newRow("up arrow: small step") << int(QStyle::SC_ScrollBarSubLine) << 49;
        QTest::newRow("track below the thumb: large step") << int(QStyle::SC_ScrollBarAddPage) << 60;
        QTest::newRow("track above the thumb: large step") << int(QStyle::SC_ScrollBarSubPage) << 40;
    }
    void scrollBarClicksStepByTheDesignedChanges() {
        QFETCH(int, part);
        QFETCH(int, value);
        VScrollBar scroll(new QScrollBar(host.get()));
        scroll.move(0, 0, 240, 3015);
        scroll.setMax(100);
        scroll.setSmallChange(1);
        scroll.setLargeChange(10);
        scroll.setValue(50);
        QVERIFY(windowtest::showActive(*host));
        QList<int> seen;
        scroll.Change = [&] { seen << scroll.Value(); };
        QTest::mouseClick(scroll.bar(), Qt::LeftButton, {},
                          windowtest::scrollBarPart(scroll.bar(), QStyle::SubControl(part)));
        QCOMPARE(seen, QList<int>{value});
    }

    void geometryIsInTwips() {
        TextBox text(new QLineEdit(host.get()));
        text.move(840, 1080, 4575, 315);
        QCOMPARE(text.Left(), 840.0);
        QCOMPARE(text.Width(), 4575.0);
        const QRect expected(twipsToPixelsX(840), twipsToPixelsY(1080),
                             twipsToPixelsX(840 + 4575) - twipsToPixelsX(840),
                             twipsToPixelsY(1080 + 315) - twipsToPixelsY(1080));
        QCOMPARE(text.widget()->geometry(), expected);
        if (twipsPerPixelX() == 15) QCOMPARE(text.widget()->geometry(), QRect(56, 72, 305, 21));
    }

    void negativeSizesRaise380AndChangeNothing() {
        TextBox text(new QLineEdit(host.get()));
        text.move(840, 1080, 4575, 315);
        const QRect before = text.widget()->geometry();
        QCOMPARE(errorNumber([&] { text.setWidth(-1); }), 380L);
        QCOMPARE(errorNumber([&] { text.setHeight(-15); }), 380L);
        QCOMPARE(errorNumber([&] { text.move(0, 0, 100, -1); }), 380L);
        QCOMPARE(text.Width(), 4575.0);
        QCOMPARE(text.Height(), 315.0);
        QCOMPARE(text.widget()->geometry(), before);
        text.setTop(-500);  // a place above the window is a place
        QCOMPARE(text.Top(), -500.0);
    }

    void setFocusOnAControlThatCannotTakeItRaises5_data() {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<long>("number");
        QTest::newRow("visible and enabled") << true << true << 0L;
        QTest::newRow("never visible") << false << true << 5L;
        QTest::newRow("disabled") << true << false << 5L;
    }
    void setFocusOnAControlThatCannotTakeItRaises5() {
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QFETCH(long, number);
        TextBox text(new QLineEdit(host.get()));
        text.setVisible(visible);
        text.setEnabled(enabled);
        QVERIFY(windowtest::showActive(*host));
        QCOMPARE(errorNumber([&] { text.SetFocus(); }), number);
        QCOMPARE(text.hasFocus(), number == 0);
    }

    void focusHandlersFollowTheFocusWithinTheWindow() {
        TextBox first(new QLineEdit(host.get()));
        TextBox second(new QLineEdit(host.get()));
        QVERIFY(windowtest::showActive(*host));
        second.SetFocus();
        QStringList events;
        first.GotFocus = [&] { events << "first got"; };
        first.LostFocus = [&] { events << "first lost"; };
        second.GotFocus = [&] { events << "second got"; };
        first.SetFocus();
        second.SetFocus();
        QCOMPARE(events, (QStringList{"first got", "first lost", "second got"}));

        // Another window (a message box) takes the focus with it and gives it back.
        QWidget other;
        QVERIFY(windowtest::showActive(other));
        QVERIFY(windowtest::showActive(*host));
        QVERIFY(second.hasFocus());
        QCOMPARE(events.size(), 3);
    }

    // An error from a user's event has nowhere to go but the report; the
    // same error from a change made by code reaches the code.
    void userEventErrorsAreReportedWithTheHandlersLabel() {
        CheckBox check(new QCheckBox("Box", host.get()));
        check.widget()->setObjectName("chkSize");
        check.move(100, 100, 1500, 255);
        check.Click = [] { throw accpac::AccpacError(9, "Subscript out of range"); };
        QVERIFY(windowtest::showActive(*host));
        testsupport::MessageCapture boxes;
        QTest::mouseClick(check.box(), Qt::LeftButton, {}, QPoint(6, check.box()->height() / 2));
        QCOMPARE(boxes.texts(),
                 QStringList{"9; Subscript out of range\r\n\nIn Procedure: frmTrovex.chkSize_Click.\r\n\n"
                             "Please contact Quorvex if this error occurs frequently."});
        QCOMPARE(errorNumber([&] { check.setValue(0); }), 9L);
        QCOMPARE(boxes.boxes().size(), size_t(1));
    }

    void buttonLooksAndColours() {
        PushButton button(new QPushButton("&Find", host.get()));
        button.setLook(PushButton::ModernLook);
        QCOMPARE(button.button()->style()->name().toLower(), QStringLiteral("fusion"));
        button.setLook(0);
        QCOMPARE(button.button()->style()->name().toLower(), QStringLiteral("windows"));

        button.setTextColour(PushButton::ButtonTextColour);
        QCOMPARE(button.button()->palette().color(QPalette::ButtonText),
                 QApplication::palette().color(QPalette::ButtonText));
        button.setFaceColour(0x000000FF);  // 0x00BBGGRR: red
        QCOMPARE(button.button()->palette().color(QPalette::Button), QColor(255, 0, 0));
        QCOMPARE(errorNumber([&] { button.setFaceColour(0x80000099); }), 380L);
        QCOMPARE(button.FaceColour(), 0x000000FFu);
        QCOMPARE(button.button()->palette().color(QPalette::Button), QColor(255, 0, 0));
    }

private:
    std::unique_ptr<QWidget> host;
};

QTEST_MAIN(ControlsTest)
#include "window_controls_test.moc"
