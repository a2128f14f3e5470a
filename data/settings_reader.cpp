#include "data/settings_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/entry.h"
#include "data/ini_document.h"
#include "data/ini_lines.h"
#include "data/platform.h"
#include "data/settings.h"
#include "data/text_encoding.h"
#include "shell/state.h"

namespace {

using ini::BigUnits;
using ini::ByteUnits;
using ini::IsAscii;
using ini::LittleUnits;

// The keys of an entry section, in the order they are read and written.
enum EntryKey { DayKey, MonthKey, YearKey, BeforeKey, AfterKey, SkipKey, ActiveKey, AgainKey, MessageKey, EntryKeys };
const char* const EntryKeyNames[EntryKeys] = {"day",  "month",  "year",  "before", "after",
                                              "skip", "active", "again", "message"}; // as matched: in lower case
int32_t ReminderEntry::* const EntryFields[MessageKey] = {
    &ReminderEntry::Day,  &ReminderEntry::Month,  &ReminderEntry::Year,  &ReminderEntry::Before,
    &ReminderEntry::After, &ReminderEntry::Skip, &ReminderEntry::Active, &ReminderEntry::Again,
};
constexpr uint16_t SectionTaken = 1u << 15; // the first section of the entry's name has been met

enum OptionKey { TaskBarKey, TimerPeriodKey, EntriesKey, OptionKeys };
const char* const OptionKeyNames[OptionKeys] = {"task bar", "timer period", "entries"}; // in lower case
const int32_t OptionDefaults[OptionKeys] = {1, int32_t(DefaultTimerPeriod), 0};

constexpr size_t PieceSize = 64 << 10;

struct Reader {
    int StartUp = 0;
    bool SecondPass = false;
    // What the file is: known from its first bytes, but for a file without a
    // mark, whether it is UTF-8 is known only at its end.
    bool Started = false;
    ini::Mark Mark = ini::Mark::None;
    bool Utf8Valid = true;
    bool Utf8Seen = false;
    std::string Utf8Pending; // the start of a sequence whose end is in the next piece
    std::string Carry; // the start of a line whose end is in a later piece
    // Where the lines are.
    enum class In { Nothing, Options, Entry } Section = In::Nothing;
    int32_t Index = 0;
    bool OptionsFound = false;
    bool OptionsDone = false;
    bool EntryBeforeOptions = false; // read again from the start once the count is known
    bool Stop = false;
    unsigned OptionsTaken = 0;
    uint32_t Options[OptionKeys] = {uint32_t(OptionDefaults[0]), uint32_t(OptionDefaults[1]),
                                    uint32_t(OptionDefaults[2])};
    int32_t Count = 0;
    std::vector<uint16_t> Taken; // per entry: the keys whose first line has been met
    // Messages beyond ASCII in a file without a mark, read once its encoding is known.
    struct Waiting {
        int32_t Index;
        std::string Bytes;
    };
    std::vector<Waiting> WaitingMessages;
};

// The encoding the lines are read in: a file without a mark is read as ANSI
// bytes, its messages beyond ASCII waiting until its end tells whether it is
// UTF-8.
TextEncoding EncodingOf(ini::Mark mark)
{
    switch (mark) {
    case ini::Mark::Utf8: return TextEncoding::Utf8;
    case ini::Mark::Utf16Le: return TextEncoding::Utf16Le;
    case ini::Mark::Utf16Be: return TextEncoding::Utf16Be;
    case ini::Mark::None: break;
    }
    return TextEncoding::Ansi;
}

// A value in units as ANSI text.
template <class U> std::string Ansi(const Reader& reader, const unsigned char* text, size_t units)
{
    return FileTextToAnsi(EncodingOf(reader.Mark), text, units * U::Width);
}

// GetPrivateProfileStringA's reading into the 256-byte message field; the
// text ends at a NUL, as a C string does.
void StoreMessage(ReminderEntry& entry, const char* text, size_t length)
{
    size_t begin, kept;
    ini::ProfileText(text, length, MessageSize, begin, kept);
    const char* start = text + begin;
    const void* nul = std::memchr(start, 0, kept);
    if (nul)
        kept = size_t(static_cast<const char*>(nul) - start);
    std::memcpy(entry.Message, start, kept);
    entry.Message[kept] = 0;
}

void SizeTable(Reader& reader)
{
    TaskBarOption = int32_t(reader.Options[TaskBarKey]);
    TimerPeriod = reader.Options[TimerPeriodKey];
    reader.Count = int32_t(reader.Options[EntriesKey]);
    if (reader.Count == 0)
        return; // the table is not touched
    GrowEntryTable(reader.Count); // does not come back when it fails
    EntryTable.Count = EntryTable.Capacity;
    reader.Taken.assign(size_t(reader.Count), 0);
}

// The first [Options] section is over: the count is known.
void FinishOptions(Reader& reader)
{
    reader.OptionsDone = true;
    SizeTable(reader);
    if (reader.EntryBeforeOptions) {
        // Entry sections came first: they are read in a second pass.
        reader.Stop = true;
        reader.SecondPass = true;
    }
}

// The entry index a section name stands for ("%d" of index + 1), or -1.
template <class U> int32_t EntryIndex(const unsigned char* name, size_t units)
{
    if (units == 0 || units > 6 || U::At(name, 0) == '0')
        return -1;
    int32_t number = 0;
    for (size_t i = 0; i < units; ++i) {
        unsigned c = U::At(name, i);
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + int32_t(c - '0');
    }
    return number <= MaxEntries ? number - 1 : -1;
}

template <class U> void TakeHeader(Reader& reader, const unsigned char* name, size_t units)
{
    if (reader.Section == Reader::In::Options && !reader.OptionsDone) {
        FinishOptions(reader);
        if (reader.Stop)
            return;
    }
    reader.Section = Reader::In::Nothing;
    if (ini::IsLowerName<U>(name, units, "options", 7)) {
        // Only the first section of a name is read; in the second pass the
        // options are known already.
        if (!reader.OptionsFound && !reader.SecondPass)
            reader.Section = Reader::In::Options;
        reader.OptionsFound = true;
        return;
    }
    int32_t index = EntryIndex<U>(name, units);
    if (index < 0)
        return;
    if (!reader.OptionsDone) {
        reader.EntryBeforeOptions = true;
        return;
    }
    if (index >= reader.Count || (reader.Taken[size_t(index)] & SectionTaken))
        return;
    reader.Taken[size_t(index)] |= SectionTaken;
    reader.Section = Reader::In::Entry;
    reader.Index = index;
}

template <class U> void TakeOption(Reader& reader, const unsigned char* line, const ini::LineParts& parts)
{
    for (int key = 0; key < OptionKeys; ++key) {
        const char* name = OptionKeyNames[key];
        if (!ini::IsLowerName<U>(line + parts.NameBegin * U::Width, parts.NameEnd - parts.NameBegin, name,
                                 std::strlen(name)))
            continue;
        // The first line of the name counts, with "=" or without.
        if (reader.OptionsTaken & (1u << key))
            return;
        reader.OptionsTaken |= 1u << key;
        if (parts.HasValue) {
            std::string value =
                Ansi<U>(reader, line + parts.ValueBegin * U::Width, parts.ValueEnd - parts.ValueBegin);
            reader.Options[key] = ini::ProfileNumber(value.data(), value.size(), OptionDefaults[key]);
        }
        return;
    }
}

template <class U> int MatchEntryKey(const unsigned char* name, size_t units)
{
    // Told apart by their length and first letter before they are compared.
    if (units < 3 || units > 7)
        return -1;
    int key;
    switch (units * 128 + ini::Fold(U::At(name, 0))) {
    case 3 * 128 + 'd': key = DayKey; break;
    case 5 * 128 + 'm': key = MonthKey; break;
    case 4 * 128 + 'y': key = YearKey; break;
    case 6 * 128 + 'b': key = BeforeKey; break;
    case 5 * 128 + 'a': key = ini::Fold(U::At(name, 1)) == 'f' ? AfterKey : AgainKey; break;
    case 4 * 128 + 's': key = SkipKey; break;
    case 6 * 128 + 'a': key = ActiveKey; break;
    case 7 * 128 + 'm': key = MessageKey; break;
    default: return -1;
    }
    return ini::IsLowerName<U>(name, units, EntryKeyNames[key], units) ? key : -1;
}

template <class U> void TakeEntryKey(Reader& reader, const unsigned char* line, const ini::LineParts& parts)
{
    int key = MatchEntryKey<U>(line + parts.NameBegin * U::Width, parts.NameEnd - parts.NameBegin);
    if (key < 0)
        return;
    uint16_t& taken = reader.Taken[size_t(reader.Index)];
    if (taken & (1u << key))
        return;
    taken = uint16_t(taken | 1u << key);
    if (!parts.HasValue || (key == AgainKey && reader.StartUp))
        return; // the default, 0; repeat times of an earlier run are dropped at start-up
    ReminderEntry& entry = EntryTable.Slots[reader.Index];
    const unsigned char* value = line + parts.ValueBegin * U::Width;
    size_t units = parts.ValueEnd - parts.ValueBegin;
    if (key != MessageKey) {
        // A number reads the same from UTF-8 as from ANSI text: only its
        // leading ASCII characters count.
        if (U::Width == 1) {
            entry.*EntryFields[key] = int32_t(ini::ProfileNumber(reinterpret_cast<const char*>(value), units, 0));
        } else {
            std::string text = Ansi<U>(reader, value, units);
            entry.*EntryFields[key] = int32_t(ini::ProfileNumber(text.data(), text.size(), 0));
        }
        return;
    }
    if (U::Width == 1 && (reader.Mark == ini::Mark::None || IsAscii(value, units))) {
        if (reader.Mark == ini::Mark::None && !IsAscii(value, units)) {
            reader.WaitingMessages.push_back({reader.Index, std::string(reinterpret_cast<const char*>(value), units)});
            return;
        }
        StoreMessage(entry, reinterpret_cast<const char*>(value), units);
        return;
    }
    std::string text = Ansi<U>(reader, value, units);
    StoreMessage(entry, text.data(), text.size());
}

template <class U> void TakeLine(Reader& reader, const unsigned char* line, size_t units)
{
    if (reader.Stop)
        return;
    ini::LineParts parts = ini::ParseLine<U>(line, units);
    if (parts.Header) {
        TakeHeader<U>(reader, line + parts.NameBegin * U::Width, parts.NameEnd - parts.NameBegin);
    } else if (parts.IsKey) {
        if (reader.Section == Reader::In::Options)
            TakeOption<U>(reader, line, parts);
        else if (reader.Section == Reader::In::Entry)
            TakeEntryKey<U>(reader, line, parts);
    }
}

void CheckPart(Reader& reader, const unsigned char* bytes, size_t length)
{
    bool nonAscii = false;
    reader.Utf8Valid = CheckUtf8(reinterpret_cast<const char*>(bytes), length, nonAscii);
    reader.Utf8Seen = reader.Utf8Seen || nonAscii;
}

// Whether a file without a mark is UTF-8 is known only at its end: every
// piece is checked, a sequence split between two pieces as a whole.
void TrackUtf8(Reader& reader, const unsigned char* bytes, size_t length, bool last)
{
    if (!reader.Utf8Valid)
        return;
    size_t start = 0;
    if (!reader.Utf8Pending.empty()) {
        size_t need = Utf8SequenceLength((unsigned char)reader.Utf8Pending[0]) - reader.Utf8Pending.size();
        size_t take = std::min(need, length);
        reader.Utf8Pending.append(reinterpret_cast<const char*>(bytes), take);
        if (take < need && !last)
            return; // a piece shorter than the rest of the sequence
        std::string sequence;
        sequence.swap(reader.Utf8Pending);
        CheckPart(reader, reinterpret_cast<const unsigned char*>(sequence.data()), sequence.size());
        if (!reader.Utf8Valid)
            return;
        start = take;
    }
    size_t end = length;
    if (!last) {
        size_t back = 0;
        while (back < 3 && back < length - start && (bytes[length - 1 - back] & 0xC0) == 0x80)
            ++back;
        if (back < length - start) {
            unsigned char lead = bytes[length - 1 - back];
            if (lead >= 0xC0 && Utf8SequenceLength(lead) > back + 1)
                end = length - 1 - back;
        }
    }
    CheckPart(reader, bytes + start, end - start);
    reader.Utf8Pending.assign(reinterpret_cast<const char*>(bytes) + end, length - end);
}

// Every whole line of bytes (a line whose end is not there yet is carried
// over to the next piece).  The last piece ends the last line.
template <class U> void Feed(Reader& reader, const unsigned char* bytes, size_t length, bool last)
{
    size_t position = 0;
    if (!reader.Carry.empty()) {
        // Units stay whole: a lone byte waits for its partner.
        if (U::Width == 2 && reader.Carry.size() % 2 == 1 && length > 0) {
            reader.Carry += char(bytes[0]);
            position = 1;
        }
        size_t units = (length - position) / U::Width;
        size_t end = ini::LineEndOf<U>(bytes + position, units);
        if (end == units) {
            reader.Carry.append(reinterpret_cast<const char*>(bytes) + position, length - position);
            if (last)
                TakeLine<U>(reader, reinterpret_cast<const unsigned char*>(reader.Carry.data()),
                            reader.Carry.size() / U::Width);
            return;
        }
        reader.Carry.append(reinterpret_cast<const char*>(bytes) + position, end * U::Width);
        TakeLine<U>(reader, reinterpret_cast<const unsigned char*>(reader.Carry.data()),
                    reader.Carry.size() / U::Width);
        reader.Carry.clear();
        position += end * U::Width;
    }
    while (position < length && !reader.Stop) {
        const unsigned char* start = bytes + position;
        size_t units = (length - position) / U::Width;
        size_t end = ini::LineEndOf<U>(start, units);
        if (end == units) {
            // A CR LF split between pieces reads as a line end and a blank line.
            reader.Carry.assign(reinterpret_cast<const char*>(start), length - position);
            if (last) {
                TakeLine<U>(reader, start, units);
                reader.Carry.clear();
            }
            return;
        }
        if (end > 0)
            TakeLine<U>(reader, start, end);
        size_t next = end + 1;
        if (U::At(start, end) == '\r' && next < units && U::At(start, next) == '\n')
            ++next;
        position += next * U::Width;
    }
}

bool TakePiece(void* context, const char* data, size_t length)
{
    Reader& reader = *static_cast<Reader*>(context);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    bool last = data == nullptr;
    if (!reader.Started) {
        // The mark is looked for in the first three bytes, gathered first in
        // the rare case that the first piece is shorter.
        if (reader.Carry.empty() && length >= 3) {
            size_t markLength;
            reader.Mark = ini::ByteOrderMark(bytes, length, markLength);
            reader.Started = true;
            return TakePiece(context, data + markLength, length - markLength);
        }
        if (!last)
            reader.Carry.append(data, length);
        if (reader.Carry.size() < 3 && !last)
            return true;
        size_t markLength;
        reader.Mark = ini::ByteOrderMark(reinterpret_cast<const unsigned char*>(reader.Carry.data()),
                                         reader.Carry.size(), markLength);
        reader.Started = true;
        std::string start = reader.Carry.substr(markLength);
        reader.Carry.clear();
        return TakePiece(context, start.data(), start.size()) && (!last || TakePiece(context, nullptr, 0));
    }
    if (reader.Mark == ini::Mark::None)
        TrackUtf8(reader, bytes, length, last);
    switch (reader.Mark) {
    case ini::Mark::Utf16Le: Feed<LittleUnits>(reader, bytes, length, last); break;
    case ini::Mark::Utf16Be: Feed<BigUnits>(reader, bytes, length, last); break;
    default: Feed<ByteUnits>(reader, bytes, length, last); break;
    }
    return !reader.Stop;
}

// One pass over the file; false when it could not be read.
bool ReadPass(Reader& reader, const char* path)
{
    reader.Started = false;
    reader.Carry.clear();
    reader.Utf8Valid = true;
    reader.Utf8Seen = false;
    reader.Utf8Pending.clear();
    reader.Section = Reader::In::Nothing;
    reader.OptionsFound = false;
    reader.Stop = false;
    return ReadFilePieces(path, PieceSize, TakePiece, &reader, nullptr) > 0;
}

} // namespace

void ReadSettingsFile(const char* path, int startUp)
{
    Reader reader;
    reader.StartUp = startUp;
    bool read = ReadPass(reader, path);
    if (!reader.OptionsDone)
        FinishOptions(reader); // the options section, if any, ran to the end of the file
    if (read && reader.SecondPass && reader.Count != 0) {
        reader.Stop = false;
        ReadPass(reader, path);
    }
    const TextEncoding encoding = reader.Utf8Valid && reader.Utf8Seen ? TextEncoding::Utf8 : TextEncoding::Ansi;
    for (const Reader::Waiting& message : reader.WaitingMessages) {
        std::string text = FileTextToAnsi(encoding, reinterpret_cast<const unsigned char*>(message.Bytes.data()),
                                          message.Bytes.size());
        StoreMessage(EntryTable.Slots[message.Index], text.data(), text.size());
    }
    for (int32_t i = 0; i < reader.Count; ++i) {
        ComputeMatchingDate(i);
        UnescapeMessage(EntryTable.Slots[i].Message);
        ClampDays(EntryTable.Slots[i].Before);
        ClampDays(EntryTable.Slots[i].After);
    }
}
