#include "store/RecordLine.h"

#include "common/UUtils.h"

std::string BuildRecordLine(std::initializer_list<const std::string*> fields)
{
    std::string line = "^";
    for (const std::string* field : fields) {
        for (char c : *field)
            line.push_back(c == '^' || c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
        line.push_back('^');
    }
    return line;
}

void ForEachRecordLine(std::string_view text,
                       const std::function<void(const std::vector<std::string>&)>& onRecord)
{
    std::vector<std::string> pieces;
    for (const std::string& line : SplitLines(text)) {
        if (TrimControl(line).empty())
            continue;
        SplitFields('^', line, pieces);
        onRecord(pieces);
    }
}
