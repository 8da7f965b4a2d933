// Reading browse-filter text into a condition tree.
//
// The filters come from string concatenation in the lookups (fixed filters,
// seeds, key conditions, searches), so the reader accepts what they build:
// operators with or without blanks around them, bare values that run up to
// the next blank-framed AND or OR (blanks inside kept, as a seed's are),
// quoted values taken exactly, and empty values. Everything else is refused
// with a FilterError that shows the user where the text went wrong.
#include "accpac/Blanks.h"
#include "accpac/filter/Filter.h"

namespace accpac::filter {

namespace {

constexpr QChar kBlank = u' ';
constexpr QChar kQuote = u'"';
constexpr int kShownChars = 40;    // offending text shown in a message
constexpr int kShownFilter = 200;  // filter text shown in a message

bool isNameChar(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// Text cut to `limit` characters for a message, so that a pasted novel does
// not become a message box taller than the screen.
QString shortened(const QString& text, int limit) {
    return text.size() <= limit ? text : text.left(limit) + QStringLiteral("...");
}

class Parser {
public:
    Parser(const QString& text, const FieldLookup& fields) : s_(text), fields_(fields) {}

    // The whole filter as a tree; nullptr for blanks only.
    std::unique_ptr<Node> run() {
        skipBlanks();
        if (atEnd()) return nullptr;
        auto root = parseOr(0);
        skipBlanks();
        if (!atEnd()) {
            if (s_[pos_] == u')') fail(QStringLiteral("a closing bracket has no opening one at %1").arg(here()));
            fail(QStringLiteral("AND, OR or the end was expected at %1").arg(here()));
        }
        return root;
    }

private:
    const QString& s_;
    const FieldLookup& fields_;
    qsizetype pos_ = 0;
    int conditions_ = 0;

    bool atEnd() const { return pos_ >= s_.size(); }
    void skipBlanks() {
        while (pos_ < s_.size() && s_[pos_] == kBlank) ++pos_;
    }

    // The text from `from` on, quoted, as a message shows where reading stopped.
    QString quotedFrom(qsizetype from) const { return u'"' + shortened(s_.mid(from), kShownChars) + u'"'; }
    QString here() const { return atEnd() ? QStringLiteral("the end") : quotedFrom(pos_); }

    // Refuses the filter: the message quotes it (cut when long) and gives the reason.
    [[noreturn]] void fail(const QString& reason) const {
        throw FilterError(
            QStringLiteral("Cannot read the filter \"%1\": %2.").arg(shortened(s_, kShownFilter), reason));
    }

    // A keyword is a whole word: what follows it is a blank, a bracket or the end.
    bool keywordAt(qsizetype i, QLatin1StringView word) const {
        if (i + word.size() > s_.size()) return false;
        if (QStringView(s_).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0) return false;
        const qsizetype after = i + word.size();
        return after == s_.size() || s_[after] == kBlank || s_[after] == u'(';
    }
    // AND or OR as a word at position i.
    bool junctionAt(qsizetype i) const {
        return keywordAt(i, QLatin1StringView("AND")) || keywordAt(i, QLatin1StringView("OR"));
    }
    // Steps over blanks and the keyword when it comes next; false (and only
    // the blanks skipped) when something else does.
    bool acceptKeyword(QLatin1StringView word) {
        skipBlanks();
        if (!keywordAt(pos_, word)) return false;
        pos_ += word.size();
        return true;
    }

    // An AND or OR node over two conditions.
    static std::unique_ptr<Node> join(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    // or := and { OR and }; AND binds tighter, as in the system's filters.
    std::unique_ptr<Node> parseOr(int depth) {
        auto node = parseAnd(depth);
        while (acceptKeyword(QLatin1StringView("OR"))) node = join(Node::Kind::Or, std::move(node), parseAnd(depth));
        return node;
    }

    // and := primary { AND primary }
    std::unique_ptr<Node> parseAnd(int depth) {
        auto node = parsePrimary(depth);
        while (acceptKeyword(QLatin1StringView("AND")))
            node = join(Node::Kind::And, std::move(node), parsePrimary(depth));
        return node;
    }

    // primary := "(" or ")" | comparison; `depth` counts the brackets around it.
    std::unique_ptr<Node> parsePrimary(int depth) {
        skipBlanks();
        if (atEnd()) fail(QStringLiteral("a condition was expected at the end"));
        if (s_[pos_] != u'(') return parseComparison();
        // Brackets are bounded so that a hostile filter cannot exhaust the stack.
        if (depth >= MaxNesting)
            fail(QStringLiteral("brackets are nested deeper than %1 levels at %2").arg(MaxNesting).arg(here()));
        const qsizetype open = pos_++;
        auto node = parseOr(depth + 1);
        skipBlanks();
        if (atEnd() || s_[pos_] != u')')
            fail(QStringLiteral("the bracket opened at %1 is not closed").arg(quotedFrom(open)));
        ++pos_;
        return node;
    }

    const FieldDef* lookUp(const QString& name) const {
        if (!fields_) return nullptr;
        if (const FieldDef* def = fields_(name)) return def;
        // The system spells field names in capitals; a filter may not.
        const QString upper = name.toUpper();
        return upper == name ? nullptr : fields_(upper);
    }

    // The operator at the reading position, or nothing; LIKE must stand as a word.
    std::optional<Op> parseOperator() {
        static const struct {
            const char* text;
            Op op;
        } kSymbols[] = {{"<>", Op::Ne}, {"!=", Op::Ne}, {"<=", Op::Le}, {">=", Op::Ge},
                        {"<", Op::Lt},  {">", Op::Gt},  {"=", Op::Eq}};
        for (const auto& sym : kSymbols) {
            const QLatin1StringView text(sym.text);
            if (QStringView(s_).mid(pos_).startsWith(text)) {
                pos_ += text.size();
                return sym.op;
            }
        }
        const QLatin1StringView like("LIKE");
        if (QStringView(s_).mid(pos_).startsWith(like, Qt::CaseInsensitive) &&
            (pos_ + like.size() == s_.size() || !isNameChar(s_[pos_ + like.size()]))) {
            pos_ += like.size();
            return Op::Like;
        }
        return std::nullopt;
    }

    // A value between double quotes, taken exactly; nothing may follow it but
    // AND, OR, a closing bracket or the end.
    QString parseQuotedValue() {
        const qsizetype open = pos_;
        const qsizetype close = s_.indexOf(kQuote, open + 1);
        if (close < 0) fail(QStringLiteral("the double quote before %1 is not closed").arg(quotedFrom(open + 1)));
        pos_ = close + 1;
        skipBlanks();
        if (!atEnd() && s_[pos_] != u')' && !junctionAt(pos_))
            fail(QStringLiteral("AND, OR or the end was expected after the value \"%1\" at %2")
                     .arg(s_.mid(open + 1, close - open - 1), here()));
        return s_.mid(open + 1, close - open - 1);
    }

    // A bare value: the text up to a blank-framed AND or OR, a closing
    // bracket or the end, without the blanks around it (so "IDCUST= AND ..."
    // has an empty value). A double quote inside it means a quote was lost.
    QString parseBareValue(qsizetype start) {
        qsizetype i = start;
        while (i < s_.size()) {
            const QChar c = s_[i];
            if (c == u')') break;
            if (c == kQuote) {
                qsizetype first = start;
                while (s_[first] == kBlank) ++first;
                fail(QStringLiteral("a double quote stands inside the value %1; quote the whole value")
                         .arg(quotedFrom(first)));
            }
            if (c == kBlank) {
                qsizetype next = i;
                while (next < s_.size() && s_[next] == kBlank) ++next;
                if (next == s_.size() || junctionAt(next)) break;
                i = next;
                continue;
            }
            ++i;
        }
        pos_ = i;
        return trimBlanks(s_.mid(start, i - start));
    }

    // comparison := FIELD op value
    std::unique_ptr<Node> parseComparison() {
        if (++conditions_ > MaxConditions) fail(QStringLiteral("it has more than %1 conditions").arg(MaxConditions));
        const qsizetype nameStart = pos_;
        while (!atEnd() && isNameChar(s_[pos_])) ++pos_;
        if (pos_ == nameStart) fail(QStringLiteral("a field name was expected at %1").arg(here()));
        const QString name = s_.mid(nameStart, pos_ - nameStart);
        const FieldDef* def = lookUp(name);
        if (!def) fail(QStringLiteral("the view has no field \"%1\"").arg(name));

        skipBlanks();
        const auto op = parseOperator();
        if (!op)
            fail(QStringLiteral("an operator (=, <>, !=, <, <=, >, >= or LIKE) was expected after %1 at %2")
                     .arg(name, here()));

        const qsizetype valueStart = pos_;
        skipBlanks();
        const bool quoted = !atEnd() && s_[pos_] == kQuote;
        const QString text = quoted ? parseQuotedValue() : parseBareValue(valueStart);

        auto node = std::make_unique<Node>();
        node->field = def;
        node->op = *op;
        if (*op == Op::Like) {
            if (def->type != FieldType::String)
                fail(QStringLiteral("LIKE compares text, and the field %1 does not hold text").arg(def->name));
            node->value = Variant::string(text);
        } else {
            try {
                node->value = convertText(*def, text);
            } catch (const AccpacError& e) {
                QString why = e.description();
                if (why.endsWith(u'.')) why.chop(1);
                fail(QStringLiteral("the value \"%1\" does not convert (%2)").arg(text, why));
            }
        }
        return node;
    }
};

}  // namespace

std::unique_ptr<Node> parse(const QString& text, const FieldLookup& fields) { return Parser(text, fields).run(); }

}  // namespace accpac::filter
