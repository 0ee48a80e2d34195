#pragma once
// What the Ok button of the project and directory dialogs does to a
// collection: check the name, then add a record or rewrite one in place.

#include "store/RecordText.h"
#include "store/Records.h"

#include <memory>
#include <string>

enum class TNameCheck {
    Accepted,
    Blank, // empty, or only spaces and control characters
    Taken, // add mode only: a record already carries that key
};

inline const std::string& RecordName(const TDProject& project) { return project.ProjName; }
inline const std::string& RecordName(const TDDirectory& directory) { return directory.Title; }

// `editIndex` -1 is add mode. Edit mode makes no duplicate check, so a record
// can be renamed onto the name of another.
template <typename TCollection>
TNameCheck CheckRecordName(const TCollection& records, int editIndex, const std::string& name)
{
    if (TrimControl(name).empty())
        return TNameCheck::Blank;
    if (editIndex >= 0)
        return TNameCheck::Accepted;
    return records.FindKey(AsciiUpper(name)) >= 0 ? TNameCheck::Taken : TNameCheck::Accepted;
}

// Appends `record` (its Extra empty, as nothing in a dialog sets it) under the
// key of its name as typed; returns the new index.
template <typename TCollection, typename TRecord>
int AddRecordTo(TCollection& records, TRecord record)
{
    record.Extra.clear();
    std::string key = AsciiUpper(RecordName(record));
    return records.Append(std::move(key), std::make_unique<TRecord>(std::move(record)));
}

// Overwrites the record at `index` with the dialog's fields, keeping its
// Extra, and gives the entry the key of the new name; its place stays.
template <typename TCollection, typename TRecord>
void UpdateRecordIn(TCollection& records, int index, TRecord fromControls)
{
    fromControls.Extra = records.RecordAt(index).Extra;
    std::string key = AsciiUpper(RecordName(fromControls));
    records.SetRecord(index, std::move(fromControls));
    records.SetKey(index, std::move(key));
}
