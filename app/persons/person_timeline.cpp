// The person's timeline: one entry per dated event or attribute of the person, for the timeline window.
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "persons/attribute_assertion.h"
#include "core/bounded_text.h"
#include "persons/event_assertion.h"
#include "core/event_type.h"
#include "persons/person_record.h"
#include "records/timeline.h"

namespace {

constexpr std::size_t TimelineNameSize = 256; // the person's name in the title: at most 255 characters
constexpr std::size_t TimelineTextSize = 1024;

// A language text used as a format with one value: the first "%s" takes the value and every other
// character, any further '%' included, is kept as it stands, so a translator's stray '%' cannot do harm.
std::string SubstituteFirstString(const char* format, const char* value)
{
    std::string text = format != nullptr ? format : "";
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

// The timeline dates of a date range; false when the range is undated (a text date or no first year).
bool TimelineDates(const DateRange& range, TimelineEvent& event)
{
    if (range.type == DateRangeText || range.dates.first.Year() == 0)
        return false;
    event.from = range.dates.first;
    const bool hasSecond = range.type == DateRangeFromTo || range.type == DateRangeBetween;
    event.to = hasSecond && range.dates.second.Year() != 0 ? range.dates.second : EmptyDateValue();
    return true;
}

const char* TypeName(EventType* type)
{
    return type != nullptr ? type->row.name : "";
}

} // namespace

std::unique_ptr<Timeline> PersonRecord::BuildTimeline(int mode, const char* datePicture)
{
    auto timeline = std::make_unique<Timeline>();
    NameRecord emptyName(*database_);
    const NameRecord& name = name_ ? *name_ : emptyName;
    char nameText[TimelineNameSize] = {};
    name.Format(nameText, sizeof nameText);
    timeline->SetTitle(SubstituteFirstString(GetLanguageText("TIMELINE_PERSON"), nameText).c_str());
    timeline->SetAuthor(database_->header.ownerName);

    EngineTransaction transaction(database_->file, TLV_READWRITE);
    char text[TimelineTextSize];
    for (std::size_t i = 0; i < links_.Count(); ++i) {
        // An entry the user removed in the open person dialog is not shown either.
        if (links_.IsMarked(i))
            continue;
        const AssertionLink& link = links_[i];
        TimelineEvent entry = {};
        text[0] = '\0';
        if (link.row.kind == AssertionEvent) {
            EventAssertion event(*database_);
            event.ReadAndLoad(link.row.assertionId);
            if (event.Id() == 0 || !TimelineDates(event.Date(), entry))
                continue;
            event.LoadType();
            if (mode == TimelineSentence) {
                event.FormatSentence(text, sizeof text, link, name, row.sex, false, datePicture);
            } else {
                std::string described = TypeName(event.Type());
                if (mode != TimelineTypeName && event.row.placeId != 0 && event.Place() != nullptr) {
                    char place[TimelineTextSize];
                    described += ": ";
                    described += event.Place()->FormatFiltered(place, sizeof place);
                }
                CopyBounded(text, sizeof text, described.c_str());
            }
        } else if (link.row.kind == AssertionAttribute) {
            AttributeAssertion attribute(*database_);
            attribute.ReadAndLoad(link.row.assertionId);
            if (attribute.Id() == 0 || !TimelineDates(attribute.Date(), entry))
                continue;
            attribute.LoadType();
            if (mode == TimelineSentence)
                attribute.FormatSentence(text, sizeof text, link, name, row.sex, false, datePicture);
            else if (mode == TimelineTypeName)
                CopyBounded(text, sizeof text, TypeName(attribute.Type()));
            else
                attribute.GetValueText(text, sizeof text);
        } else {
            continue;
        }
        CopyBounded(entry.text, sizeof entry.text, text);
        timeline->AddEvent(entry);
    }
    return timeline;
}
