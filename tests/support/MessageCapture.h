// Captures the message boxes shown while it lives, instead of showing them,
// and spells the report of a trapped error that a box shows.
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

// The text of the report of a trapped error: the error as "number; words"
// and the label of the procedure it ended.
inline QString errorReport(const QString& error, const QString& label) {
    return error + QStringLiteral("\r\n\nIn Procedure: ") + label +
           QStringLiteral(".\r\n\nPlease contact Quorvex if this error occurs frequently.");
}

class MessageCapture {
public:
    MessageCapture()
        : previous_(errors::setMessageSink([this](const errors::MessageBoxRequest& box) {
              boxes_.push_back(box);
              return 1;
          })) {}
    ~MessageCapture() { errors::setMessageSink(std::move(previous_)); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<errors::MessageBoxRequest>& boxes() const { return boxes_; }
    QStringList texts() const {
        QStringList list;
        for (const auto& b : boxes_) list << b.text;
        return list;
    }

private:
    std::vector<errors::MessageBoxRequest> boxes_;
    errors::MessageSink previous_;
};

}  // namespace testsupport
