// The walk of a browse in key order, planned from the key, the put key
// values and the filter, as every backend reads it.
//
// The walk is the key order from the start bound under the filter
// (BrowseSql.h). A pattern that starts with fixed text on the key's leading
// segment limits that segment to the texts that start with it in any letter
// case: one range of the key per spelling ("in12" gives IN12, In12, iN12 and
// in12), read one after the other in key order. Each range is an index
// seek; a deep prefix reads only its few records. Every part keeps every
// condition of the filter and adds only ones the LIKE conditions imply, so
// the parts, concatenated, are exactly the records of the plain walk.
//
// A backend with a search index over folded texts has a second way to the
// same records; the plan names the fixed runs of the filter's patterns such
// an index could find them by (searchRuns), and the backend writes that way
// itself.
#pragma once

#include <optional>
#include <vector>

#include "accpac/AccpacFields.h"
#include "accpac/catalogue/BrowseSql.h"
#include "accpac/filter/Filter.h"

namespace accpac::catalogue {

// A run of fixed characters of a LIKE pattern every record of the browse
// must match: a record matches only when its folded text holds the run.
struct SearchRun {
    const FieldDef* field;
    QByteArray folded;  // the run, folded as LIKE folds (filter::foldedText), UTF-8
    bool atStart;       // the pattern starts with it: the text does too
};

// A LIKE condition every record of a browse must meet.
struct LikeTerm {
    const FieldDef* field;
    QString pattern;
};

class WalkPlan {
public:
    // The plan for browsing `view` by `key` under the parsed `filter`
    // (nullptr for none), starting from the key values `record` holds as
    // put. Throws 13 when a filter value does not convert to its field's
    // stored form.
    WalkPlan(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
             bool ascending);

    // The queries of the walk in key order, run one after the other; their
    // records, concatenated, are the browse's records. Empty when no record
    // can match.
    const std::vector<BrowseQuery>& walk() const { return walk_; }
    bool ascending() const { return ascending_; }
    // The walk's query `part` from its start (`after` nullptr, as in walk())
    // or strictly after `after`, the stored key segments of a record that
    // query gave: a browse read in runs goes on from there. Keys are unique,
    // so it neither repeats that record nor skips the next one, whatever was
    // written in between.
    BrowseQuery walkPart(std::size_t part, const std::vector<Stored>* after) const;
    // The runs of `shortest` characters or more in the LIKE conditions on
    // `fields` that every record must meet: what a search index over those
    // fields' folded texts could find the records by. None when no record can
    // match, or when the key ranges alone hold exactly the matches (a lone
    // "text%" on the leading segment), where an index could only add work.
    std::vector<SearchRun> searchRuns(const QStringList& fields, int shortest) const;
    // True when the filter's LIKE conditions must hold and the key ranges
    // alone do not hold exactly the matches: the walk tests records.
    bool searches() const { return !terms_.empty() && !rangesExact_; }
    // True when the filter fixes the first field of the view's standing
    // filters (one customer's records), which an index of its own leads.
    bool standingFixed() const { return standingFixed_; }

protected:
    // The conditions that limit walkPart(part, after) along the key: the
    // start or `after`, and the part's range; their values go to `w`.
    QStringList keyLimits(std::size_t part, const std::vector<Stored>* after, QueryWriter& w) const;

    struct Start {
        QStringList columns;         // the leading key segments put, quoted
        std::vector<Stored> values;  // their values
        const char* op = ">=";       // the comparison of the row values
    };
    QStringList keyColumns() const;

    const ViewDef& view_;
    const KeyDef& key_;
    bool ascending_;
    filter::SqlWhere where_;
    Start start_;

private:
    // One query of the walk: the whole key order, or the texts of the
    // leading segment that start with `range`.
    struct WalkPart {
        std::optional<QByteArray> range;
        bool startTighter = false;  // the start bound lies inside the range
    };

    std::vector<LikeTerm> terms_;  // the filter's LIKE conditions that must hold
    bool rangesExact_ = false;     // the key ranges hold exactly the matching records
    bool standingFixed_ = false;   // the filter fixes the standing filters' first field
    std::vector<WalkPart> parts_;
    std::vector<BrowseQuery> walk_;
};

}  // namespace accpac::catalogue
