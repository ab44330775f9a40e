#include "addressbook/record_search.h"

#include "addressbook/address_records.h"

namespace quillet {

std::optional<RecordPlace> PlaceAfter(RecordPlace place)
{
    if (++place.record < RecordsPerTab) return place;
    place.record = 0;
    if (++place.tab < TabCount) return place;
    return std::nullopt;
}

std::optional<RecordPlace> FindRecord(const QString& key, RecordPlace from,
                                      const std::function<void(RecordPlace)>& examining)
{
    const QString upperKey = key.toUpper();
    for (std::optional<RecordPlace> place = from; place; place = PlaceAfter(*place)) {
        if (examining) examining(*place);
        for (int line = Line1; line <= Line6; ++line)
            if (RecordCell(place->tab, place->record, static_cast<RecordItem>(line)).toUpper().contains(upperKey))
                return place;
    }
    return std::nullopt;
}

QString MatchTitle(RecordPlace place)
{
    return FirstTypedLine(ReadRecord(place.tab, place.record)).value_or(QString());
}

} // namespace quillet
