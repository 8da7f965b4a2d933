#include "errors/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace errors {

namespace {
MessageSink& currentSink() {
    static MessageSink sink;
    return sink;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

int showQtMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(qtIcon(request.icon), request.title, request.text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

int showMessage(const MessageBoxRequest& request) {
    const MessageSink& sink = currentSink();
    return sink ? sink(request) : showQtMessageBox(request);
}

MessageSink setMessageSink(MessageSink sink) {
    MessageSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

}  // namespace errors
