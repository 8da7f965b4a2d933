// Captures the message boxes shown while it lives, instead of showing them.
//
//   testsupport::MessageCapture boxes;
//   finder.NEXTBATCH();
//   ASSERT_EQ(boxes.texts(), QStringList{"..."});
//
// Each box is answered OK. Captures nest: the one made last gets the boxes,
// and the one before it gets them again when it ends.
#pragma once

#include <QStringList>
#include <vector>

#include "errors/MessageBox.h"

namespace testsupport {

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<errors::MessageBoxRequest>& boxes() const { return boxes_; }
    QStringList texts() const;
    void clear() { boxes_.clear(); }

private:
    std::vector<errors::MessageBoxRequest> boxes_;
    errors::MessageSink previous_;
};

}  // namespace testsupport
