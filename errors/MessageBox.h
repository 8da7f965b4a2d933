// The one way the component shows a message box.
//
// Every box (error reports, the selection warning) goes through showMessage.
// By default it shows a modal Qt message box; a host or a test installs its
// own sink to capture each box instead (or as well).
#pragma once

#include <QString>
#include <functional>

namespace errors {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

struct MessageBoxRequest {
    QString title;
    QString text;  // line breaks as the system writes them ("\r\n", "\n")
    MessageIcon icon = MessageIcon::None;
    int buttons = 0;  // 0 = a single OK button
};

// Returns the answer (1 = OK). The sink decides how the box is shown.
using MessageSink = std::function<int(const MessageBoxRequest&)>;

int showMessage(const MessageBoxRequest& request);
// Installs a sink; an empty sink restores the modal Qt box. Returns the previous sink.
MessageSink setMessageSink(MessageSink sink);
// The default sink: a modal QMessageBox over the active window.
int showQtMessageBox(const MessageBoxRequest& request);

}  // namespace errors
