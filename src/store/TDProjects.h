#pragma once

#include "store/KeyedCollection.h"
#include "store/Records.h"

#include <QString>

// The user's projects, in the order of the projects file.
class TDProjects : public TKeyedCollection<TDProject> {
public:
    static constexpr const char* FileName = "Projects.dat";

    // Appends the projects of `appDir` + "Projects.dat"; a missing file adds
    // nothing. A file that cannot be read throws TFileError and adds nothing.
    void LoadAll(const QString& appDir);
    // Replaces `appDir` + "Projects.dat" with every project, atomically.
    void SaveAll(const QString& appDir) const;

    void LoadFromText(std::string_view text);
    std::string ToText() const;
};
