#pragma once

#include "store/KeyedCollection.h"
#include "store/Records.h"

#include <QString>

// What loading found in a projects file that its projects cannot hold: the
// file is then kept aside before it is first saved over.
struct TProjectsDamage {
    bool NulBytes = false;   // the text ends at the first
    bool Utf16 = false;      // decoded; characters past 8 bits read as "?"
    int LinesNotRecords = 0; // lines with text outside the sixteen fields (their fields still load)
    bool Any() const { return NulBytes || Utf16 || LinesNotRecords > 0; }
};

// The user's projects, in the order of the projects file.
class TDProjects : public TKeyedCollection<TDProject> {
public:
    static constexpr const char* FileName = "Projects.dat";

    // Appends the projects of `appDir` + "Projects.dat"; a missing file adds
    // nothing. A file that cannot be read throws TFileError and adds nothing.
    void LoadAll(const QString& appDir);
    // Replaces `appDir` + "Projects.dat" with every project, atomically.
    void SaveAll(const QString& appDir) const;

    // Reads every project it can: the text ends at a NUL byte, UTF-16 text (as
    // a text editor may save it) is decoded, text outside the fields is left
    // out; Damage() tells what was found, so the file can be kept aside.
    void LoadFromText(std::string_view text);
    std::string ToText() const;
    const TProjectsDamage& Damage() const { return FDamage; }

    // Copies Projects.dat to the first free name of "Projects.damaged.dat",
    // "Projects.damaged-2.dat", ...; returns the name used. TFileError when
    // the copy cannot be made.
    static QString KeepDamagedCopy(const QString& appDir);
    static QString DamagedCopyName(const QString& appDir);

private:
    TProjectsDamage FDamage;
};
