// The key range a "starts with" search on a key's leading text covers.
//
// A LIKE pattern that starts with literal characters ("in0005%") matches
// only texts whose first characters fold to them. Each folded character has
// a lowest and a highest character folding to it ('I' and 'i' for "i"; 'S',
// 's' and 'ſ' for "s"), so those texts lie between the lowest and the highest
// spelling of the prefix in the key's byte order. Added to the search, that
// range lets the server walk just that stretch of the key instead of the
// whole key hoping the matches come early.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

namespace accpac::postgres {

// The lowest and highest UTF-8 text (inclusive) of the key stretch that
// texts matching `pattern` lie in; nothing when the pattern starts with a
// wildcard.
std::optional<std::pair<QByteArray, QByteArray>> prefixRange(const QString& pattern);

}  // namespace accpac::postgres
