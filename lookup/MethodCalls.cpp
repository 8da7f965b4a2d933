// The method table behind calls by name, and the checking of text arguments.
#include "lookup/MethodCalls.h"

#include <optional>

namespace lookup {

namespace {

constexpr MethodParam Seed{"pSeed", ParamKind::Text, true};
constexpr MethodParam CustId{"pCustID", ParamKind::Text, false};
constexpr MethodParam Index{"pIndex", ParamKind::Integer, false};
constexpr MethodParam DocTax{"pDocTax", ParamKind::Boolean, true};

using S = const Trovex::Session&;
using R = const QString&;
using W = std::int16_t;
using A = const MethodArgs&;

const std::vector<MethodInfo> Methods = {
    {"FindAP_Employee", {Seed}, [](Trovex& t, S s, R r, W w, A a) { t.FindAP_Employee(s, r, w, a.text(0)); }},
    {"FindAP_GLSegmentCode",
     {{"pSeg", ParamKind::Text, false}},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_GLSegmentCode(s, r, w, a.text(0)); }},
    {"FindAP_EarningDeduction",
     {Seed},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_EarningDeduction(s, r, w, a.text(0)); }},
    {"FindAP_BankDeposits", {}, [](Trovex& t, S s, R r, W w, A) { t.FindAP_BankDeposits(s, r, w); }},
    {"FindAP_OrderByInfo",
     {Index, CustId},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_OrderByInfo(s, r, w, a.number(0), a.text(1)); }},
    {"FindAP_TaxClass",
     {{"pAuthority", ParamKind::Text, false}, DocTax},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_TaxClass(s, r, w, a.text(0), a.number(1)); }},
    {"FindAP_TaxGroups",
     {CustId, DocTax},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_TaxGroups(s, r, w, a.text(0), a.number(1)); }},
    {"FindAP_Documents",
     {CustId, Index},
     [](Trovex& t, S s, R r, W w, A a) { t.FindAP_Documents(s, r, w, a.text(0), a.number(1)); }},
    {"FindAP_DocNum", {CustId}, [](Trovex& t, S s, R r, W w, A a) { t.FindAP_DocNum(s, r, w, a.text(0)); }},
    {"FindAP_Accounts", {}, [](Trovex& t, S s, R r, W w, A) { t.FindAP_Accounts(s, r, w); }},
    {"FindAP_DistributionCodes", {}, [](Trovex& t, S s, R r, W w, A) { t.FindAP_DistributionCodes(s, r, w); }},
};

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

CallError argumentError(const MethodInfo& method, const MethodParam& param, const QString& text, const char* what) {
    return CallError(QString::fromLatin1(method.name) + QStringLiteral(": argument ") +
                     QString::fromLatin1(param.name) + QStringLiteral(": ") + quoted(text) +
                     QStringLiteral(" is not ") + QString::fromLatin1(what));
}

// A 16-bit integer written in decimal, with an optional sign; nothing else.
std::optional<std::int16_t> integerOf(const QString& text) {
    bool ok = false;
    const std::int16_t value = text.toShort(&ok);
    if (!ok || text.contains(QLatin1Char(' '))) return std::nullopt;
    return value;
}

std::int16_t parseInteger(const MethodInfo& method, const MethodParam& param, const QString& text) {
    if (const auto value = integerOf(text)) return *value;
    throw argumentError(method, param, text, "a whole number from -32768 to 32767");
}

// True/False in any letter case, or a number (non-zero is True, kept as given).
std::int16_t parseBoolean(const MethodInfo& method, const MethodParam& param, const QString& text) {
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return accpac::IntegerTrue;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return accpac::IntegerFalse;
    if (const auto value = integerOf(text)) return *value;
    throw argumentError(method, param, text, "true, false or a number");
}

QString methodNames() {
    QStringList names;
    for (const MethodInfo& m : Methods) names << QString::fromLatin1(m.name);
    return names.join(QStringLiteral(", "));
}

}  // namespace

const std::vector<MethodInfo>& methodTable() { return Methods; }

const MethodInfo* findMethod(const QString& name) {
    for (const MethodInfo& m : Methods)
        if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) return &m;
    return nullptr;
}

QString describeParams(const MethodInfo& method) {
    QStringList parts;
    for (const MethodParam& p : method.params) {
        const QString name = QString::fromLatin1(p.name);
        parts << (p.optional ? QLatin1Char('[') + name + QLatin1Char(']') : name);
    }
    return parts.isEmpty() ? QStringLiteral("(no arguments)") : parts.join(QLatin1Char(' '));
}

MethodCall parseCall(const QStringList& words) {
    if (words.isEmpty() || words.first().isEmpty()) throw CallError(QStringLiteral("a call needs a method name"));
    const MethodInfo* method = findMethod(words.first());
    if (!method)
        throw CallError(QStringLiteral("unknown method ") + quoted(words.first()) +
                        QStringLiteral("; the methods are ") + methodNames());
    const QStringList given = words.mid(1);
    const auto& params = method->params;
    if (std::size_t(given.size()) > params.size())
        throw CallError(QString::fromLatin1(method->name) + QStringLiteral(" takes ") + describeParams(*method) +
                        QStringLiteral(", but was given %1 arguments").arg(given.size()));

    std::vector<MethodArgs::Value> values;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const MethodParam& param = params[i];
        if (i >= std::size_t(given.size()) && !param.optional)
            throw CallError(QString::fromLatin1(method->name) + QStringLiteral(": missing argument ") +
                            QString::fromLatin1(param.name) + QStringLiteral(" (takes ") + describeParams(*method) +
                            QLatin1Char(')'));
        const QString text = i < std::size_t(given.size()) ? given[qsizetype(i)] : QString();
        switch (param.kind) {
            case ParamKind::Text:
                values.emplace_back(text);
                break;
            case ParamKind::Integer:
                values.emplace_back(parseInteger(*method, param, text));
                break;
            case ParamKind::Boolean:
                values.emplace_back(text.isEmpty() ? std::int16_t(0) : parseBoolean(*method, param, text));
                break;
        }
    }
    return MethodCall{method, MethodArgs(std::move(values))};
}

}  // namespace lookup
