// The lookup-script reader on any text: a list of actions or a ScriptError
// naming a line of the text, never anything else.
#include <cstdint>
#include <cstdlib>

#include "lookup/script/ScriptParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        lookup::script::parseScript(text);
    } catch (const lookup::script::ScriptError& e) {
        if (e.line() < 1 || e.line() > text.count(u'\n') + 1) std::abort();
    }
    return 0;
}
