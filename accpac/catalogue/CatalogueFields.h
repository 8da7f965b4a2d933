// Short-hands the catalogue files use to declare fields and keys, so that a
// view reads as a list of its fields.
#pragma once

#include <initializer_list>
#include <utility>

#include "accpac/catalogue/Catalogue.h"

namespace accpac::catalogue::declare {

FieldDef text(const char* name, int size, const char* description);
FieldDef int16(const char* name, const char* description);
FieldDef int32(const char* name, const char* description);
FieldDef amount(const char* name, const char* description, int decimals = 3);
FieldDef date(const char* name, const char* description);
// A number shown through its list of code texts.
FieldDef coded(const char* name, const char* description,
               std::initializer_list<std::pair<std::int16_t, const char*>> codes);
// A one-character text shown through its list; each entry's code is the
// character's code ('B' is 66).
FieldDef letterCoded(const char* name, const char* description,
                     std::initializer_list<std::pair<char, const char*>> codes);
// A Boolean shown as entry 0 (false) or entry 1 (true).
FieldDef flag(const char* name, const char* description, const char* falseText, const char* trueText);
// The common Yes/No flag.
FieldDef yesNo(const char* name, const char* description);

KeyDef key(std::int16_t number, QStringList segments);

}  // namespace accpac::catalogue::declare
