// The fields of one view, found by name through an index because the grid
// reads every cell of a batch by its field's name.
#include "accpac/AccpacFields.h"

#include "accpac/AccpacError.h"
#include "accpac/AccpacErrors.h"

namespace accpac {

AccpacFields::AccpacFields(const std::vector<FieldDef>& defs) {
    fields_.reserve(defs.size());
    for (const FieldDef& def : defs) {
        // The first definition of a name wins, as a lookup by name finds it first.
        if (!byName_.contains(def.name)) byName_.insert(def.name, int(fields_.size()));
        fields_.push_back(std::make_unique<AccpacField>(def));
    }
}

AccpacField& AccpacFields::Item(const QString& name) {
    if (AccpacField* f = find(name)) return *f;
    const QString description = QStringLiteral("The view has no field named \"%1\".").arg(name);
    if (errors_) errors_->Put(ErrorPriority::Error, description);
    throw AccpacError(errnum::AccpacFailure, description);
}

const AccpacField& AccpacFields::Item(const QString& name) const { return const_cast<AccpacFields*>(this)->Item(name); }

AccpacField& AccpacFields::Item(int index) {
    if (index < 0 || index >= Count())
        throw AccpacError(
            errnum::SubscriptOutOfRange,
            QStringLiteral("Subscript out of range: the view has no field %1 (it has %2).").arg(index).arg(Count()));
    return *fields_[std::size_t(index)];
}

AccpacField* AccpacFields::find(const QString& name) {
    const auto it = byName_.constFind(name);
    return it == byName_.constEnd() ? nullptr : fields_[std::size_t(*it)].get();
}

const AccpacField* AccpacFields::find(const QString& name) const { return const_cast<AccpacFields*>(this)->find(name); }

void AccpacFields::clearAll() {
    for (auto& f : fields_) f->clear();
}

}  // namespace accpac
