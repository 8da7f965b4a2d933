// The catalogue as one sorted list, built once from the per-program files,
// and the short-hands those files declare fields with.
#include "accpac/catalogue/Catalogue.h"

#include <algorithm>

#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

// Declared by the per-program files (CatalogueAR.cpp, CatalogueGL.cpp...).
void addArViews(std::vector<ViewDef>& views);
void addBkViews(std::vector<ViewDef>& views);
void addCpViews(std::vector<ViewDef>& views);
void addGlViews(std::vector<ViewDef>& views);
void addIcViews(std::vector<ViewDef>& views);
void addTxViews(std::vector<ViewDef>& views);

const FieldDef* ViewDef::field(const QString& name) const {
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &fields[std::size_t(i)];
}

const FieldDef* ViewDef::fieldAnyCase(const QString& name) const {
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

int ViewDef::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name) return int(i);
    return -1;
}

const KeyDef* ViewDef::key(std::int16_t number) const {
    for (const KeyDef& k : keys)
        if (k.number == number) return &k;
    return nullptr;
}

const std::vector<ViewDef>& catalogue() {
    static const std::vector<ViewDef> views = [] {
        std::vector<ViewDef> v;
        addArViews(v);
        addBkViews(v);
        addCpViews(v);
        addGlViews(v);
        addIcViews(v);
        addTxViews(v);
        std::sort(v.begin(), v.end(), [](const ViewDef& a, const ViewDef& b) { return a.id < b.id; });
        return v;
    }();
    return views;
}

const ViewDef* findView(const QString& viewId) {
    for (const ViewDef& v : catalogue())
        if (v.id == viewId) return &v;
    return nullptr;
}

namespace declare {

namespace {

FieldDef plain(const char* name, FieldType type, int size, int decimals, const char* description) {
    FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    f.decimals = decimals;
    f.description = QString::fromUtf8(description);
    return f;
}

FieldDef withList(FieldDef f, std::vector<AccpacPresentationItem> items) {
    f.presentationType = PresentationCoded;
    f.presentation = AccpacPresentationList(std::move(items));
    return f;
}

}  // namespace

FieldDef text(const char* name, int size, const char* description) {
    return plain(name, FieldType::String, size, 0, description);
}
FieldDef int16(const char* name, const char* description) { return plain(name, FieldType::Int16, 0, 0, description); }
FieldDef int32(const char* name, const char* description) { return plain(name, FieldType::Int32, 0, 0, description); }
FieldDef amount(const char* name, const char* description, int decimals) {
    return plain(name, FieldType::Decimal, 0, decimals, description);
}
FieldDef date(const char* name, const char* description) { return plain(name, FieldType::Date, 0, 0, description); }

FieldDef coded(const char* name, const char* description,
               std::initializer_list<std::pair<std::int16_t, const char*>> codes) {
    std::vector<AccpacPresentationItem> items;
    for (const auto& [code, label] : codes) items.push_back({code, QString::fromUtf8(label)});
    return withList(plain(name, FieldType::Int16, 0, 0, description), std::move(items));
}

FieldDef letterCoded(const char* name, const char* description,
                     std::initializer_list<std::pair<char, const char*>> codes) {
    std::vector<AccpacPresentationItem> items;
    for (const auto& [letter, label] : codes) items.push_back({std::int16_t(letter), QString::fromUtf8(label)});
    return withList(plain(name, FieldType::String, 1, 0, description), std::move(items));
}

FieldDef flag(const char* name, const char* description, const char* falseText, const char* trueText) {
    return withList(plain(name, FieldType::Boolean, 0, 0, description),
                    {{0, QString::fromUtf8(falseText)}, {1, QString::fromUtf8(trueText)}});
}

FieldDef yesNo(const char* name, const char* description) { return flag(name, description, "No", "Yes"); }

KeyDef key(std::int16_t number, QStringList segments) { return KeyDef{number, std::move(segments)}; }

}  // namespace declare

}  // namespace accpac::catalogue
