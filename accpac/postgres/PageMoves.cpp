// Predicting a lookup's page moves from the filter of a browse.
#include "accpac/postgres/PageMoves.h"

namespace accpac::postgres {

namespace {

bool isKeyBound(const filter::Node* node, const FieldDef& orderField) {
    if (!node || node->kind != filter::Node::Kind::Compare || !node->field) return false;
    if (node->field->name != orderField.name) return false;
    using filter::Op;
    return node->op == Op::Lt || node->op == Op::Le || node->op == Op::Gt || node->op == Op::Ge;
}

// The lookup's filter of a parsed browse filter: the filter without its
// closing comparison on the order key, when it has one.
std::unique_ptr<filter::Node> lookupFilter(std::unique_ptr<filter::Node> tree, const FieldDef& orderField) {
    if (isKeyBound(tree.get(), orderField)) return nullptr;
    if (tree && tree->kind == filter::Node::Kind::And && isKeyBound(tree->right.get(), orderField))
        return std::move(tree->left);
    return tree;
}

}  // namespace

std::vector<PageMove> pageMoves(const QString& filter, const filter::FieldLookup& fields, const FieldDef& orderField) {
    std::vector<PageMove> moves;
    using filter::Op;
    struct Bound {
        Op op;
        bool ascending;
    };
    static constexpr Bound Bounds[] = {{Op::Ge, true}, {Op::Gt, true}, {Op::Le, false}, {Op::Lt, false}};
    try {
        for (const Bound& bound : Bounds) {
            auto compare = std::make_unique<filter::Node>();
            compare->field = &orderField;
            compare->op = bound.op;
            // Any value of the field's type: the statement's plan is the
            // same for every value.
            compare->value = AccpacField(orderField).Value();
            std::unique_ptr<filter::Node> base = lookupFilter(filter::parse(filter, fields), orderField);
            if (!base) {
                moves.push_back({std::move(compare), bound.ascending});
                continue;
            }
            auto both = std::make_unique<filter::Node>();
            both->kind = filter::Node::Kind::And;
            both->left = std::move(base);
            both->right = std::move(compare);
            moves.push_back({std::move(both), bound.ascending});
        }
        for (const bool ascending : {true, false})
            moves.push_back({lookupFilter(filter::parse(filter, fields), orderField), ascending});
    } catch (const AccpacError&) {
        moves.clear();  // the browse itself reports the filter
    }
    return moves;
}

}  // namespace accpac::postgres
