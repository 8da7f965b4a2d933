// The message sink that hands each box to the observer, then the answerer.
#include "lookup/MessageRouting.h"

#include <utility>

namespace lookup {

namespace {

struct Routing {
    BoxObserver observer;
    BoxAnswerer answerer;
    bool shown = true;
};

Routing& routing() {
    static Routing r;
    return r;
}

int route(const errors::MessageBoxRequest& box) {
    // Copies: an observer or answerer may replace itself while it runs.
    const BoxObserver observer = routing().observer;
    if (observer) observer(box);
    const BoxAnswerer answerer = routing().answerer;
    if (answerer) return answerer(box);
    return routing().shown ? errors::showQtMessageBox(box) : 1;
}

// Installed again on every change, so the routing set last is the one in force
// even when something else took the sink in between.
void install() { errors::setMessageSink(route); }

}  // namespace

BoxObserver setBoxObserver(BoxObserver observer) {
    install();
    return std::exchange(routing().observer, std::move(observer));
}

BoxAnswerer setBoxAnswerer(BoxAnswerer answerer) {
    install();
    return std::exchange(routing().answerer, std::move(answerer));
}

void setBoxesShown(bool shown) {
    install();
    routing().shown = shown;
}

QString escapeLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return out;
}

QString boxLine(const errors::MessageBoxRequest& box) {
    return QLatin1Char('[') + box.title + QStringLiteral("] ") + escapeLineBreaks(box.text);
}

}  // namespace lookup
