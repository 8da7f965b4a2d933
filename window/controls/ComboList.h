// A choose-only drop-down list.
#pragma once

#include "window/controls/Control.h"

class QComboBox;

namespace window {

class ComboList : public Control {
public:
    explicit ComboList(QComboBox* box);

    void Clear();  // no entries; ListIndex becomes -1 (no Click)
    // Adds an entry at the end; the chosen entry does not change (an empty
    // list stays at -1).
    void AddItem(const QString& text);
    int ListCount() const;
    QString List(int index) const;  // "" outside the list
    int ListIndex() const;          // -1 when nothing is chosen
    // Chooses an entry and raises Click before returning, also when the
    // entry was already chosen. -1 chooses nothing; any other position the
    // list does not have throws 380 and changes nothing.
    void setListIndex(int index);
    QString Text() const;  // the chosen entry, "" for none

    // Raised when an entry is chosen, by the user or by setListIndex.
    std::function<void()> Click;

    QComboBox* box() const;

protected:
    // Alt with a letter no button took chooses no entry by that letter.
    bool keyPressed(QKeyEvent& e) override { return unclaimedAccessKey(e); }
};

}  // namespace window
