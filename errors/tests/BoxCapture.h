// Captures every message box shown while it lives, instead of showing it.
#pragma once

#include "errors/MessageBox.h"

#include <vector>

struct BoxCapture {
    std::vector<errors::MessageBoxRequest> boxes;
    errors::MessageSink previous;

    BoxCapture() {
        previous = errors::setMessageSink([this](const errors::MessageBoxRequest& r) {
            boxes.push_back(r);
            return 1;
        });
    }
    ~BoxCapture() { errors::setMessageSink(std::move(previous)); }

    std::vector<QString> texts() const {
        std::vector<QString> t;
        for (const auto& b : boxes) t.push_back(b.text);
        return t;
    }
};
