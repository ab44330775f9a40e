#pragma once

#include <QString>

#include <functional>
#include <optional>

// The Find window's search over the address book, in the order of the tabs and record numbers.
namespace quillet {

// Tab 0-25 ("A"-"Z"), record 0-29 (number 1-30).
struct RecordPlace {
    int tab = 0;
    int record = 0;
    bool operator==(const RecordPlace& other) const { return tab == other.tab && record == other.record; }
};

// The place after `place`; none after Z-30.
std::optional<RecordPlace> PlaceAfter(RecordPlace place);

// The first record from `from` on (inclusive) with a line, the memo included, that holds `key`
// in any mix of case; an empty key matches the first record examined. `examining` is told of
// each record before it is looked at.
std::optional<RecordPlace> FindRecord(const QString& key, RecordPlace from,
                                      const std::function<void(RecordPlace)>& examining = {});

// How a match is titled: its first line that is not exactly empty, else its (empty) first line.
QString MatchTitle(RecordPlace place);

} // namespace quillet
