// One field of a view: its definition and the value of the view's current record.
//
// A field belongs to its view. Reading Value gives the current record's value
// (before any fetch, the type's empty value, as after ClearRecord: a freshly
// opened view's text fields already read as text); writing it puts a value
// that positions the next browse when the field is a segment of the
// browse's key. Values put are converted to the field's type. The top of a
// key field's range is put by setMaxKey, never by a value: a key that happens
// to read like the maximum-key text is an ordinary key.
#pragma once

#include <QString>
#include <cstdint>

#include "accpac/AccpacPresentationList.h"
#include "accpac/Export.h"
#include "accpac/Variant.h"

namespace accpac {

enum class FieldType { String, Int16, Int32, Boolean, Decimal, Date };

constexpr std::int16_t PresentationCoded = 76;  // PresentationType of a field shown through its list

struct FieldDef {
    QString name;  // e.g. "IDCUST"
    FieldType type = FieldType::String;
    int size = 0;                       // maximum characters of a String field; 0 for others
    int decimals = 0;                   // digits after the point of a Decimal field
    QString description;                // what the user calls the field (grid header)
    std::int16_t presentationType = 0;  // PresentationCoded, or 0
    AccpacPresentationList presentation;
};

// The maximum key a lookup hands its engine and the engine shows in the
// order-key field it puts at the top of its range (setMaxKey).
inline const QString MaxKeyText = QStringLiteral("ZZZZZZZZZZZZ");

class TROVEX_API AccpacField {
public:
    explicit AccpacField(FieldDef def) : def_(std::move(def)) { clear(); }

    const QString& Name() const { return def_.name; }
    const QString& Description() const { return def_.description; }
    std::int16_t PresentationType() const { return def_.presentationType; }
    const AccpacPresentationList& PresentationList() const { return def_.presentation; }
    const FieldDef& definition() const { return def_; }

    // The current record's value. Fields of type String hold a String
    // Variant, Int16 an Integer, Int32 a Long, Boolean a Boolean, Decimal a
    // Decimal, Date a Date (Empty when the record has no date).
    const Variant& Value() const { return value_; }
    // Puts a value converted to the field's type. A value that does not
    // convert throws 13 (type mismatch; 6 for a number outside the range, 94
    // for Null) and leaves the field as it was.
    void setValue(const Variant& v);
    // Puts the top of the key range, whatever the field's type, so that a
    // descending browse starts at the last record: a String field shows
    // `shown`, other fields keep their empty value.
    void setMaxKey(const QString& shown = MaxKeyText);

    // --- used by views ---------------------------------------------------
    bool isPut() const { return put_; }          // written since the last clear
    bool isPutMax() const { return putMax_; }    // the last put was setMaxKey
    void clear();                                // to the type's empty value, not put
    void load(const Variant& v) { value_ = v; }  // a fetched record's value

private:
    FieldDef def_;
    Variant value_;
    bool put_ = false;
    bool putMax_ = false;
};

// Converts a text to the value a field of this definition holds, the way
// filters and CSV imports read values: the grid's text forms of dates
// (yyyy-MM-dd), amounts and numbers; "" gives the type's empty value (no
// date is Empty). Text is taken as it is; other types allow blanks around
// the value. Throws 13 when the text does not convert (an amount with more
// significant decimals than the field keeps does not), 6 for a whole number
// outside an integer field's range; the description names the field.
TROVEX_API Variant convertText(const FieldDef& def, const QString& text);

}  // namespace accpac
