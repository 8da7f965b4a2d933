// Calling a Trovex method by its name with arguments given as text, as the
// host program's command line and scripting hosts do.
//
//   lookup::MethodCall call = lookup::parseCall({"FindAP_Documents", "1200", "1"});
//   call.invoke(trovex, session, "MyHost", 0);
//
// The arguments are the method's own, in interface order, after the three
// every method takes (session, settings name, button look), which the caller
// supplies. Optional arguments may be left off (text "", Boolean False).
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>
#include <variant>
#include <vector>

#include "lookup/Trovex.h"

namespace lookup {

enum class ParamKind { Text, Integer, Boolean };  // String, 16-bit integer, 16-bit Boolean

struct MethodParam {
    const char* name;  // "pCustID"
    ParamKind kind;
    bool optional;
};

// A method's arguments after parsing: texts, and integers (Booleans as -1 or 0).
class MethodArgs {
public:
    using Value = std::variant<QString, std::int16_t>;
    explicit MethodArgs(std::vector<Value> values) : values_(std::move(values)) {}
    const QString& text(std::size_t i) const { return std::get<QString>(values_.at(i)); }
    std::int16_t number(std::size_t i) const { return std::get<std::int16_t>(values_.at(i)); }
    std::size_t size() const { return values_.size(); }

private:
    std::vector<Value> values_;
};

struct MethodInfo {
    const char* name;                 // "FindAP_Documents"
    std::vector<MethodParam> params;  // after pSess, pRegistry, pWinXP
    void (*invoke)(Trovex&, const Trovex::Session&, const QString&, std::int16_t, const MethodArgs&);
};

// The eleven methods in interface order.
const std::vector<MethodInfo>& methodTable();
// The method of that name (letter case ignored, as the component's callers
// expect of its interface), or nullptr.
const MethodInfo* findMethod(const QString& name);

// A bad call: unknown method, wrong number of arguments, or an argument that
// is not of its parameter's kind. what() says which, in words for the user.
class CallError : public std::runtime_error {
public:
    explicit CallError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct MethodCall {
    const MethodInfo* method = nullptr;
    MethodArgs args{{}};

    // Runs the method on `trovex` with the three common arguments.
    void invoke(Trovex& trovex, const Trovex::Session& pSess, const QString& pRegistry, std::int16_t pWinXP) const {
        method->invoke(trovex, pSess, pRegistry, pWinXP, args);
    }
};

// words[0] is the method name, the rest its arguments. Throws CallError.
MethodCall parseCall(const QStringList& words);

// The parameter list as a user reads it: "pCustID pIndex" with optional ones in brackets.
QString describeParams(const MethodInfo& method);

}  // namespace lookup
