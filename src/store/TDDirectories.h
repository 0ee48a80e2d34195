#pragma once

#include "store/KeyedCollection.h"
#include "store/Records.h"

#include <QString>

// The web-directory database, in file order.
class TDDirectories : public TKeyedCollection<TDDirectory> {
public:
    static constexpr const char* FileName = "Directories.dat";

    // Appends the directories of `appDir` + "Directories.dat"; a missing file adds nothing.
    void LoadAll(const QString& appDir);
    // Replaces `appDir` + "Directories.dat" with every directory.
    void SaveAll(const QString& appDir) const;

    // The plain caret text inside the database file.
    void LoadFromText(std::string_view text);
    std::string ToText() const;
};
