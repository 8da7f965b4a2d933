// Reading lookup scripts: each kind of line into its action, and each kind
// of bad line into a message that names the line and what is wrong.
#include <gtest/gtest.h>

#include "LookupRig.h"
#include "lookup/script/ScriptParser.h"

namespace lookup::script {
namespace {

using Kind = Action::Kind;

struct GoodLine {
    const char* name;
    const char* line;
    Kind kind;
    std::function<void(const Action&)> check;  // the action's own fields
};

void PrintTo(const GoodLine& c, std::ostream* os) { *os << c.name; }

const GoodLine GoodLines[] = {
    {"TypeRestOfLine", "type rent hall  ", Kind::Type, [](const Action& a) { EXPECT_EQ(a.text, "rent hall  "); }},
    {"TypeQuoted", R"(type "  \"x\" ")", Kind::Type, [](const Action& a) { EXPECT_EQ(a.text, "  \"x\" "); }},
    {"KeyRepeated", "key PageDown 3", Kind::Key,
     [](const Action& a) {
         EXPECT_EQ(a.key, Qt::Key_PageDown);
         EXPECT_EQ(a.count, 3);
     }},
    {"KeyAccess", "key Alt+f", Kind::Key,
     [](const Action& a) {
         EXPECT_EQ(a.key, Qt::Key_F);
         EXPECT_EQ(a.modifiers, Qt::AltModifier);
     }},
    {"KeyEnterIsReturn", "KEY enter", Kind::Key, [](const Action& a) { EXPECT_EQ(a.key, Qt::Key_Return); }},
    {"ClickControl", "click pbxFind", Kind::Click, [](const Action& a) { EXPECT_EQ(a.control, "pbxFind"); }},
    {"ClickCell", "click cell 0 3", Kind::ClickCell,
     [](const Action& a) {
         EXPECT_EQ(a.row, 0);
         EXPECT_EQ(a.column, 3);
     }},
    {"ClickTrack", "click ScrollBar1 PageDown", Kind::ClickScroll,
     [](const Action& a) { EXPECT_EQ(a.part, Action::ScrollPart::PageDown); }},
    {"DoubleClickRow", "dblclick row 4", Kind::DblClickRow, [](const Action& a) { EXPECT_EQ(a.row, 4); }},
    {"DoubleClickHeader", "dblclick header 0", Kind::DblClickHeader, [](const Action& a) { EXPECT_EQ(a.column, 0); }},
    {"Uncheck", "uncheck chkAuto", Kind::Check,
     [](const Action& a) {
         EXPECT_EQ(a.control, "chkAuto");
         EXPECT_FALSE(a.on);
     }},
    {"ChooseByText", R"(choose cboFindDesc "Account Type")", Kind::Choose,
     [](const Action& a) {
         EXPECT_EQ(a.text, "Account Type");
         EXPECT_EQ(a.position, -1);
     }},
    {"ChooseByPosition", "choose cboCondition #1", Kind::Choose, [](const Action& a) { EXPECT_EQ(a.position, 1); }},
    {"Drag", "drag ScrollBar1 100", Kind::Drag, [](const Action& a) { EXPECT_EQ(a.value, 100); }},
    {"Resize", "resize 800 600", Kind::Resize,
     [](const Action& a) {
         EXPECT_EQ(a.value, 800);
         EXPECT_EQ(a.height, 600);
     }},
    {"AnswerExpecting", R"(answer OK "one selection")", Kind::Answer,
     [](const Action& a) { EXPECT_EQ(a.text, "one selection"); }},
    {"ScreenshotQuoted", R"(screenshot "out/a b.png")", Kind::Screenshot,
     [](const Action& a) { EXPECT_EQ(a.text, "out/a b.png"); }},
    {"Dump", "   dump", Kind::Dump, [](const Action& a) { EXPECT_EQ(a.line, 1); }},
    {"Wait", "wait 250", Kind::Wait, [](const Action& a) { EXPECT_EQ(a.value, 250); }},
};

class GoodLines_ : public ::testing::TestWithParam<GoodLine> {};

TEST_P(GoodLines_, BecomeTheirAction) {
    const GoodLine& c = GetParam();
    const std::vector<Action> actions = parseScript(QString::fromUtf8(c.line));
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, c.kind);
    if (c.check) c.check(actions[0]);
}

INSTANTIATE_TEST_SUITE_P(Script, GoodLines_, ::testing::ValuesIn(GoodLines),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadLine {
    const char* name;
    const char* line;
    const char* message;  // part of what the error says
};

void PrintTo(const BadLine& c, std::ostream* os) { *os << c.name; }

const BadLine BadLines[] = {
    {"UnknownAction", "fly away", "unknown action \"fly\""},
    {"UnknownKey", "key Hyper+X", "unknown key \"Hyper+X\""},
    {"ZeroCount", "key Down 0", "the count must be a whole number from 1"},
    {"UnknownControl", "click pbxNothing", "control \"pbxNothing\" is not one of"},
    {"CellWithoutColumn", "click cell 1", "usage: click cell ROW COLUMN"},
    {"HeaderIsNoDataRow", "dblclick row 0", "the row must be a whole number from 1"},
    {"HiddenList", "choose cboFindby ACCTID", "list \"cboFindby\" is not one of"},
    {"ThumbBeyondRange", "drag ScrollBar1 101", "from 0 to 100"},
    {"NoWidth", "resize 0 10", "the width must be"},
    {"OnlyOk", "answer Cancel", "can only be answered OK"},
    {"NothingToType", "type", "usage: type TEXT"},
    {"UnclosedQuote", "type \"half", "no closing \""},
    {"DumpTakesNothing", "dump now", "takes no arguments"},
    {"CheckNeedsCheckBox", "check pbxFind", "check box \"pbxFind\" is not one of"},
    {"NotANumber", "wait soon", "the time must be a whole number"},
    {"BareNameWithBlank", "screenshot out/a b.png", "usage: screenshot FILE.png"},
};

class BadLines_ : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadLines_, AreRefusedWithTheirLineNumber) {
    const BadLine& c = GetParam();
    // Comments and blank lines count in the numbering.
    const QString script =
        QStringLiteral("dump\n\n# a comment\n") + QString::fromUtf8(c.line) + QStringLiteral("\ndump\n");
    try {
        parseScript(script);
        FAIL() << "accepted: " << c.line;
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line(), 4);
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QLatin1String("line 4: "))) << e.what();
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QString::fromUtf8(c.message))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Script, BadLines_, ::testing::ValuesIn(BadLines),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lookup::script
