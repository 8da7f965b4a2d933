// The fields of one view, by name or position.
#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

#include "accpac/AccpacField.h"
#include "accpac/Export.h"

namespace accpac {

class AccpacErrors;

class TROVEX_API AccpacFields {
public:
    AccpacFields() = default;
    explicit AccpacFields(const std::vector<FieldDef>& defs);

    int Count() const { return int(fields_.size()); }
    // The field of that name (exact, as the system spells it). An unknown
    // name throws AccpacFailure with a description naming it.
    AccpacField& Item(const QString& name);
    const AccpacField& Item(const QString& name) const;
    // Position 0..Count()-1; otherwise throws 9.
    AccpacField& Item(int index);
    // The field, or nullptr when the view has none of that name.
    AccpacField* find(const QString& name);
    const AccpacField* find(const QString& name) const;

    void clearAll();  // every field to its empty value, none put
    // Where an unknown name is also reported, as the system reports it to
    // the session (nullptr, the default: nowhere). The list must outlive the fields.
    void reportUnknownTo(AccpacErrors* errors) { errors_ = errors; }

private:
    AccpacErrors* errors_ = nullptr;
    std::vector<std::unique_ptr<AccpacField>> fields_;
    QHash<QString, int> byName_;  // name -> position in fields_; every cell of the grid is read by name
};

}  // namespace accpac
