// The C interface of scripted lookups: one script driver at a time, for the
// calls that follow it.
#include "lookup/script/trovex_script.h"

#include <memory>
#include <stdexcept>

#include "lookup/Application.h"
#include "lookup/capi/CallGuard.h"
#include "lookup/script/ScriptDriver.h"

namespace {

std::unique_ptr<lookup::script::ScriptDriver>& driver() {
    static std::unique_ptr<lookup::script::ScriptDriver> d;
    return d;
}

}  // namespace

extern "C" {

int trovex_set_script(const char* script, trovex_output output, void* user) {
    return lookup::capi::guarded([&] {
        driver().reset();
        if (!script) return 0;
        lookup::ensureApplication();  // the driver's timer needs the application's event loop
        lookup::script::ScriptDriver::Output out;
        if (output) out = [output, user](const QString& t) { output(t.toUtf8().constData(), user); };
        driver() = std::make_unique<lookup::script::ScriptDriver>(
            lookup::script::parseScript(lookup::capi::text(script)), out);
        driver()->start();
        return 0;
    });
}

int trovex_finish_script(void) {
    return lookup::capi::guarded([&] {
        std::unique_ptr<lookup::script::ScriptDriver> d = std::move(driver());
        if (!d) return 0;
        if (!d->finish()) throw std::runtime_error(d->failure().toStdString());
        return 0;
    });
}

}  // extern "C"
