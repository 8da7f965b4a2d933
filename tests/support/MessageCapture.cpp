// Capture of message boxes through the component's message sink.
#include "tests/support/MessageCapture.h"

namespace testsupport {

MessageCapture::MessageCapture() {
    previous_ = errors::setMessageSink([this](const errors::MessageBoxRequest& request) {
        boxes_.push_back(request);
        return 1;
    });
}

MessageCapture::~MessageCapture() { errors::setMessageSink(std::move(previous_)); }

QStringList MessageCapture::texts() const {
    QStringList list;
    for (const auto& b : boxes_) list << b.text;
    return list;
}

}  // namespace testsupport
