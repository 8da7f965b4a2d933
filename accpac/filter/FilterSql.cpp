// Turning a condition tree into an SQL WHERE condition with placeholders.
//
// Only column names from the catalogue's field definitions and numbered
// placeholders ever reach the SQL text; the values travel beside it, so no
// text a user typed can change the statement.
#include "accpac/filter/Filter.h"

namespace accpac::filter {

namespace {

// The field's column as a quoted SQL name (catalogue names never hold a
// quote, but one would be doubled).
QString column(const FieldDef& def) {
    QString name = def.name;
    return u'"' + name.replace(u'"', QLatin1String("\"\"")) + u'"';
}

// The SQL comparison for an operator; "" for LIKE, which is a function call.
const char* sqlOperator(Op op) {
    switch (op) {
        case Op::Eq:
            return "=";
        case Op::Ne:
            return "<>";
        case Op::Lt:
            return "<";
        case Op::Le:
            return "<=";
        case Op::Gt:
            return ">";
        case Op::Ge:
            return ">=";
        case Op::Like:
            break;
    }
    return "";
}

// Writes a tree into one SqlWhere, numbering placeholders in the order the
// comparisons appear. A tree with a missing branch or field (never one parse
// built) throws FilterError instead of writing broken SQL.
class Writer {
public:
    explicit Writer(int firstParam) : next_(firstParam) {}

    SqlWhere result;

    void write(const Node* node) {
        if (!node) throw FilterError(QStringLiteral("The filter's condition tree has an empty branch."));
        if (node->kind == Node::Kind::Compare) return writeCompare(*node);
        // A chain of the same junction prints as one bracket: (A AND B AND C).
        std::vector<const Node*> operands;
        collect(node, node->kind, operands);
        result.sql += u'(';
        const QLatin1StringView junction(node->kind == Node::Kind::And ? " AND " : " OR ");
        for (std::size_t i = 0; i < operands.size(); ++i) {
            if (i > 0) result.sql += junction;
            write(operands[i]);
        }
        result.sql += u')';
    }

private:
    int next_;

    // The operands of a chain of one junction kind, left to right.
    static void collect(const Node* node, Node::Kind kind, std::vector<const Node*>& out) {
        if (node && node->kind == kind) {
            collect(node->left.get(), kind, out);
            collect(node->right.get(), kind, out);
        } else {
            out.push_back(node);
        }
    }

    void writeCompare(const Node& node) {
        if (!node.field)
            throw FilterError(QStringLiteral("The filter's condition tree has a comparison without a field."));
        const QString placeholder = QStringLiteral("?%1").arg(next_++);
        if (node.op == Op::Like)
            result.sql +=
                QStringLiteral("%1(%2, %3)").arg(QLatin1String(LikeFunctionName), column(*node.field), placeholder);
        else
            result.sql +=
                QStringLiteral("%1 %2 %3").arg(column(*node.field), QLatin1String(sqlOperator(node.op)), placeholder);
        result.params.push_back({node.field, node.value});
    }
};

}  // namespace

SqlWhere toSql(const Node* root, int firstParam) {
    Writer writer(firstParam);
    if (root) writer.write(root);
    return std::move(writer.result);
}

}  // namespace accpac::filter
