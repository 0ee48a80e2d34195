#include "store/TDDirectories.h"

#include "store/AesLib.h"
#include "store/DataFileCipher.h"
#include "store/FileIO.h"
#include "store/KeyedCollection.h"
#include "store/RecordLine.h"
#include "store/RecordText.h"
#include "store/TextScan.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#if defined(__linux__)
#include <fcntl.h>
#endif

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr TFieldTable<TDDirectory, DirectoryFieldCount> DirectoryFields = {
    &TDDirectory::Title, &TDDirectory::URL, &TDDirectory::Category, &TDDirectory::Type,
    &TDDirectory::PageRank, &TDDirectory::AlexaRank, &TDDirectory::Extra};

// Salt, password check and authentication code of the built-in password's mode.
constexpr std::size_t HeaderAndCodeBytes = 20;

// The header is checked before the rest is read: a file that is not a
// database (a device, a large download) costs 20 bytes, not its size.
bool FailsPasswordCheck(const char* head, qint64 bytes)
{
    std::string ignored;
    TCryptFailure failure = TCryptFailure::None;
    return bytes == static_cast<qint64>(HeaderAndCodeBytes)
        && !DecryptData(std::string_view(head, HeaderAndCodeBytes), ignored, &failure)
        && failure == TCryptFailure::PasswordMismatch;
}

[[noreturn]] void ThrowFileError(const char* what, const QString& path, const QIODevice& file)
{
    throw TFileError(std::string(what) + " file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
}

// Opens the database file at `path` and reads its header into `head`
// (`headBytes` of it: fewer for a short file); false when the header fails
// the password check. Throws TFileError for a folder, a file that cannot be
// opened or read, or one past any sane database.
bool OpenDatabaseFile(const QString& path, QFile& file, char (&head)[HeaderAndCodeBytes], qint64& headBytes)
{
    if (QFileInfo(path).isDir())
        throw TFileError("Cannot open file \"" + path.toStdString() + "\". It is a directory.");
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        ThrowFileError("Cannot open", path, file);
    if (file.size() > MaxDataFileBytes)
        ThrowFileTooLarge(path, MaxDataFileBytes);
    headBytes = file.read(head, static_cast<qint64>(HeaderAndCodeBytes));
    if (headBytes < 0)
        ThrowFileError("Cannot read", path, file);
    return !FailsPasswordCheck(head, headBytes);
}

constexpr size_t MaxCut = 0xFFFF;

bool IsBlankLine(const char* line, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(line[i]) > 32)
            return false;
    return true;
}

// Where the field stretch of a loaded line is, and how many carets close it.
// The fields are separated by single carets in the line itself, so up to the
// first one the line lacks (or all seven) they are one stretch of it; every
// field after that is empty, and each field is followed by a caret in the file.
struct TLineStretch {
    size_t Start, End;
    unsigned ClosingCarets;
};

TLineStretch StretchOf(const std::array<uint16_t, 8>& cuts)
{
    // Caret k is missing when cut k and k + 1 both hold the line's length.
    unsigned present = 7;
    for (unsigned k = 1; k < 7; ++k)
        if (cuts[k] == cuts[k + 1]) {
            present = k;
            break;
        }
    const size_t end = cuts[present];
    const size_t start = std::min<size_t>(cuts[0] + 1u, end);
    return {start, end, 1 + 7 - present};
}

// A QIODevice that only counts the records of the text written to it.
class TRecordCountDevice : public QIODevice {
public:
    TRecordLineCounter Counter;

    TRecordCountDevice() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        Counter.Feed(std::string_view(data, static_cast<size_t>(length)));
        return length;
    }
};

TDatabaseState StateAfter(bool intact, TCryptFailure failure)
{
    if (intact)
        return TDatabaseState::Intact;
    switch (failure) {
    case TCryptFailure::TooShort: return TDatabaseState::TooShort;
    case TCryptFailure::PasswordMismatch: return TDatabaseState::NotReadable;
    default: return TDatabaseState::Damaged;
    }
}

} // namespace

TDDirectories::TDDirectories() = default;
TDDirectories::~TDDirectories() = default;

std::unique_ptr<const TDDirectories> TDDirectories::Snapshot() const
{
    auto copy = std::make_unique<TDDirectories>();
    copy->FRows = FRows;
    copy->FBuffers = FBuffers;
    copy->FOwned.reserve(FOwned.size());
    for (const auto& owned : FOwned)
        copy->FOwned.push_back(owned ? std::make_unique<TOwned>(*owned) : nullptr);
    copy->FFreeOwned = FFreeOwned;
    return copy;
}

void TDDirectories::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

TDDirectories::TOwned& TDDirectories::Owned(const TRow& row) const
{
    const uint32_t slot = row.Cuts[0] | (static_cast<uint32_t>(row.Cuts[1]) << 16);
    return *FOwned[slot];
}

std::string_view TDDirectories::FieldAt(int index, TDirectoryField field) const
{
    const TRow& row = FRows[static_cast<size_t>(index)];
    const auto f = static_cast<size_t>(field);
    if (!row.Line)
        return Owned(row).Record.*DirectoryFields[f];
    // Field f lies between caret f and caret f + 1; see AppendLine.
    const size_t end = row.Cuts[f + 1];
    const size_t start = std::min<size_t>(row.Cuts[f] + 1u, end);
    return std::string_view(row.Line + start, end - start);
}

TDDirectory TDDirectories::RecordAt(int index) const
{
    CheckIndex(index);
    const TRow& row = FRows[static_cast<size_t>(index)];
    if (!row.Line)
        return Owned(row).Record;
    TDDirectory record;
    for (size_t f = 0; f < DirectoryFields.size(); ++f)
        record.*DirectoryFields[f] = std::string(FieldAt(index, static_cast<TDirectoryField>(f)));
    return record;
}

std::string TDDirectories::KeyAt(int index) const
{
    CheckIndex(index);
    const TRow& row = FRows[static_cast<size_t>(index)];
    return row.Line ? AsciiUpper(TitleAt(index)) : Owned(row).Key;
}

int TDDirectories::FindKey(std::string_view text) const
{
    const bool asciiText = IsAsciiText(text);
    for (int i = 0; i < Count(); ++i) {
        const TRow& row = FRows[static_cast<size_t>(i)];
        if (!row.Line) {
            if (KeysEqualNoCase(Owned(row).Key, text))
                return i;
            continue;
        }
        const std::string_view title = TitleAt(i);
        // The key is the title upper-cased; plain ASCII on both sides needs
        // neither the key nor the locale: same length, same bytes but for case.
        if (asciiText && IsAsciiText(title)) {
            if (title.size() == text.size() && KeysEqualNoCase(title, text))
                return i;
        } else if (KeysEqualNoCase(AsciiUpper(title), text)) {
            return i;
        }
    }
    return -1;
}

int TDDirectories::AddOwned(TDDirectory record, std::string key)
{
    auto owned = std::make_unique<TOwned>(TOwned{std::move(record), std::move(key)});
    if (!FFreeOwned.empty()) {
        const uint32_t slot = FFreeOwned.back();
        FFreeOwned.pop_back();
        FOwned[slot] = std::move(owned);
        return static_cast<int>(slot);
    }
    FOwned.push_back(std::move(owned));
    return static_cast<int>(FOwned.size() - 1);
}

void TDDirectories::ReleaseOwned(const TRow& row)
{
    const uint32_t slot = row.Cuts[0] | (static_cast<uint32_t>(row.Cuts[1]) << 16);
    FOwned[slot].reset();
    FFreeOwned.push_back(slot);
}

TDDirectories::TOwned& TDDirectories::OwnAt(int index)
{
    CheckIndex(index);
    TRow& row = FRows[static_cast<size_t>(index)];
    if (!row.Line)
        return Owned(row);
    const uint32_t slot = static_cast<uint32_t>(AddOwned(RecordAt(index), KeyAt(index)));
    row.Line = nullptr;
    row.Cuts = {static_cast<uint16_t>(slot & 0xFFFF), static_cast<uint16_t>(slot >> 16)};
    return Owned(row);
}

int TDDirectories::Append(std::string key, std::unique_ptr<TDDirectory> record)
{
    if (!record)
        throw std::invalid_argument("Append: no record");
    const auto slot = static_cast<uint32_t>(AddOwned(std::move(*record), std::move(key)));
    TRow row;
    row.Cuts = {static_cast<uint16_t>(slot & 0xFFFF), static_cast<uint16_t>(slot >> 16)};
    FRows.push_back(row);
    return Count() - 1;
}

void TDDirectories::SetRecord(int index, TDDirectory record)
{
    OwnAt(index).Record = std::move(record);
}

void TDDirectories::SetKey(int index, std::string key)
{
    OwnAt(index).Key = std::move(key);
}

void TDDirectories::RemoveAt(int index)
{
    CheckIndex(index);
    const TRow& row = FRows[static_cast<size_t>(index)];
    if (!row.Line)
        ReleaseOwned(row);
    FRows.erase(FRows.begin() + index);
}

void TDDirectories::Clear()
{
    FRows.clear();
    FRows.shrink_to_fit();
    FBuffers.clear();
    FOwned.clear();
    FFreeOwned.clear();
}

void TDDirectories::Reserve(int count)
{
    FRows.reserve(static_cast<size_t>(std::max(count, 0)));
}

// ---- loading ----

bool TDDirectories::AppendLine(const char* line, size_t length, const size_t (&carets)[8], unsigned caretCount)
{
    // Cut k is caret k's place in the line, or the line's length when the line
    // has fewer carets; field f is then the text between cut f and cut f + 1
    // (empty when caret f is missing). Those are the rules of SplitFields and
    // FieldsFromPieces: piece 0 before the first caret is not a field, a short
    // line leaves the last fields empty, pieces after the seventh field are dropped.
    TRow row;
    row.Line = line;
    for (unsigned k = 0; k < 8; ++k) {
        const size_t cut = k < caretCount ? carets[k] : length;
        if (cut > MaxCut) {
            // Too long a line for the small offsets: it holds its own texts.
            std::vector<std::string> pieces;
            SplitFields('^', std::string_view(line, length), pieces);
            TDDirectory record;
            FieldsFromPieces(DirectoryFields, pieces, record);
            std::string key = AsciiUpper(record.Title);
            Append(std::move(key), std::make_unique<TDDirectory>(std::move(record)));
            return false;
        }
        row.Cuts[k] = static_cast<uint16_t>(cut);
    }
    FRows.push_back(row);
    return true;
}

template <typename TProduce>
void TDDirectories::AppendLines(std::unique_ptr<TLargeBuffer> buffer, const char* text, size_t size,
                                TProduce produce)
{
    // The line rules of SplitLines: CR LF, lone LF and lone CR end a line, a
    // NUL byte ends the text; blank lines are skipped. The text is read as
    // `produce` makes it ready, a part at a time.
    size_t parsed = 0;    // how far the marks have been read
    size_t end = size;    // the text's end: `size`, or its first NUL
    size_t lineStart = 0;
    size_t carets[8];
    unsigned caretCount = 0;
    bool inBuffer = false;
    const auto endLine = [&](size_t at) {
        const size_t length = at - lineStart;
        // A line with a caret is never blank.
        if (caretCount > 0 || !IsBlankLine(text + lineStart, length))
            inBuffer |= AppendLine(text + lineStart, length, carets, caretCount);
        lineStart = at + 1;
        caretCount = 0;
    };
    const auto feed = [&](size_t ready) {
        if (parsed == 0 && ready > 0) {
            // Room for about as many directories as the first part has lines
            // for its size: a large database is appended without regrowing.
            const size_t sample = std::min<size_t>(ready, 1 << 20);
            size_t lines = 1;
            for (const char* p = text; (p = static_cast<const char*>(std::memchr(p, '\n', text + sample - p)));
                 ++p)
                ++lines;
            Reserve(Count() + static_cast<int>(std::min<size_t>(size / sample * lines + lines, static_cast<size_t>(std::numeric_limits<int>::max() / 2))));
        }
        ready = std::min(ready, end);
        if (ready <= parsed)
            return;
        if (const void* nul = std::memchr(text + parsed, '\0', ready - parsed))
            ready = end = static_cast<size_t>(static_cast<const char*>(nul) - text);
        ForEachMark(text + parsed, ready - parsed, [&, from = parsed](size_t offset) {
            const size_t at = from + offset;
            if (text[at] != '^')
                endLine(at);
            else if (caretCount < 8)
                carets[caretCount++] = at - lineStart;
        });
        parsed = ready;
    };
    end = std::min(end, produce(feed));
    feed(end);
    if (lineStart < end)
        endLine(end);
    // A buffer no directory lives in (a file that failed its password check) is not kept.
    if (inBuffer)
        FBuffers.push_back(std::move(buffer));
}

void TDDirectories::LoadFromText(std::string_view text)
{
    auto buffer = std::make_unique<TLargeBuffer>(text.size());
    std::memcpy(buffer->Data(), text.data(), text.size());
    const char* const inBuffer = buffer->Data();
    AppendLines(std::move(buffer), inBuffer, text.size(), [&](const auto& feed) {
        feed(text.size());
        return text.size();
    });
}

TDatabaseState TDDirectories::LoadAll(const QString& appDir)
{
    return LoadFile(appDir + FileName);
}

void TDDirectories::SaveAll(const QString& appDir) const
{
    SaveFile(appDir + FileName);
}

TDatabaseState TDDirectories::LoadEncryptedBuffer(std::unique_ptr<TLargeBuffer> buffer, size_t length)
{
    // Decrypted where it lies: the file's bytes become the buffer the
    // directories live in, so the database is in memory once. The lines are
    // read as the decryption, on another thread, makes them ready.
    char* const data = buffer->Data();
    const size_t textAt = std::min(length, DataFilePlainOffset);
    const size_t textSize = length >= DataFileOverhead ? length - DataFileOverhead : 0;
    bool intact = false;
    TCryptFailure failure = TCryptFailure::None;
    AppendLines(std::move(buffer), data + textAt, textSize, [&](const auto& feed) {
        std::string_view plain;
        intact = DecryptDataInPlace(data, length, plain, &failure, feed);
        // After a failed code the text that did decrypt is loaded, so the user
        // keeps what can be saved of the database.
        return plain.size();
    });
    return StateAfter(intact, failure);
}

TDatabaseState TDDirectories::LoadFile(const QString& path)
{
    if (!FileExists(path))
        return TDatabaseState::Missing;
    QFile file;
    char head[HeaderAndCodeBytes];
    qint64 headBytes = 0;
    if (!OpenDatabaseFile(path, file, head, headBytes))
        return TDatabaseState::NotReadable;
    const auto fail = [&] { ThrowFileError("Cannot read", path, file); };
    // Read straight into the block the directories will live in.
    const auto size = std::max(static_cast<size_t>(std::max<qint64>(file.size(), 0)), static_cast<size_t>(headBytes));
    auto buffer = std::make_unique<TLargeBuffer>(size);
    std::memcpy(buffer->Data(), head, static_cast<size_t>(headBytes));
    size_t have = static_cast<size_t>(headBytes);
    while (have < size) {
        const qint64 got = file.read(buffer->Data() + have, static_cast<qint64>(size - have));
        if (got < 0)
            fail();
        if (got == 0)
            break; // the file shrank meanwhile
        have += static_cast<size_t>(got);
    }
    char probe;
    const qint64 more = file.read(&probe, 1);
    if (more < 0)
        fail();
    if (more > 0) {
        // It grew meanwhile, or it has no size: read it whole.
        const std::string bytes = ReadWholeFile(path);
        buffer = std::make_unique<TLargeBuffer>(bytes.size());
        std::memcpy(buffer->Data(), bytes.data(), bytes.size());
        have = bytes.size();
    }
    return LoadEncryptedBuffer(std::move(buffer), have);
}

TDatabaseState TDDirectories::LoadEncrypted(std::string_view encrypted)
{
    auto buffer = std::make_unique<TLargeBuffer>(encrypted.size());
    std::memcpy(buffer->Data(), encrypted.data(), encrypted.size());
    return LoadEncryptedBuffer(std::move(buffer), encrypted.size());
}

TDatabaseState TDDirectories::CheckFile(const QString& path, int64_t& count)
{
    count = 0;
    if (!FileExists(path))
        return TDatabaseState::Missing;
    QFile file;
    char head[HeaderAndCodeBytes];
    qint64 headBytes = 0;
    if (!OpenDatabaseFile(path, file, head, headBytes))
        return TDatabaseState::NotReadable;
    // Back to the start for the stream; a device is opened again.
    if (!file.seek(0)) {
        file.close();
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            ThrowFileError("Cannot open", path, file);
    }
    TRecordCountDevice counter;
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    const bool intact = cipher.DecryptStreamSideBySide(file, counter, file.size());
    if (cipher.LastFailure() == TCryptFailure::ReadError)
        ThrowFileError("Cannot read", path, file);
    count = counter.Counter.Finish();
    return StateAfter(intact, cipher.LastFailure());
}

// ---- saving ----

size_t TDDirectories::LineLength(const TRow& row) const
{
    if (!row.Line) {
        size_t length = 1 + 2;
        for (const auto field : DirectoryFields)
            length += (Owned(row).Record.*field).size() + 1;
        return length;
    }
    const TLineStretch stretch = StretchOf(row.Cuts);
    return 1 + (stretch.End - stretch.Start) + stretch.ClosingCarets + 2;
}

void TDDirectories::WriteLine(const TRow& row, char* into) const
{
    *into++ = '^';
    if (!row.Line) {
        // A directory's own texts may hold bytes a line cannot: AppendRecordField's rule.
        for (const auto field : DirectoryFields) {
            for (const char c : Owned(row).Record.*field)
                *into++ = c == '^' || c == '\r' || c == '\n' || c == '\0' ? ' ' : c;
            *into++ = '^';
        }
    } else {
        // A loaded line's fields hold none of those bytes: they were cut at them.
        const TLineStretch stretch = StretchOf(row.Cuts);
        std::memcpy(into, row.Line + stretch.Start, stretch.End - stretch.Start);
        into += stretch.End - stretch.Start;
        into = std::fill_n(into, stretch.ClosingCarets, '^');
    }
    *into++ = '\r';
    *into = '\n';
}

size_t TDDirectories::WriteText(char* into, size_t room, int& row, size_t& offset) const
{
    size_t written = 0;
    std::string straddling;
    while (written < room && row < Count()) {
        const TRow& r = FRows[static_cast<size_t>(row)];
        const size_t length = LineLength(r);
        if (offset == 0 && length <= room - written) {
            WriteLine(r, into + written);
            written += length;
            ++row;
            continue;
        }
        // A line across the end of the room: the part that fits now, the rest next call.
        straddling.resize(length);
        WriteLine(r, straddling.data());
        const size_t take = std::min(length - offset, room - written);
        std::memcpy(into + written, straddling.data() + offset, take);
        written += take;
        offset += take;
        if (offset == length) {
            offset = 0;
            ++row;
        }
    }
    return written;
}

std::string TDDirectories::ToText() const
{
    std::string text;
    int row = 0;
    size_t offset = 0;
    char chunk[65536];
    for (size_t got; (got = WriteText(chunk, sizeof chunk, row, offset)) > 0;)
        text.append(chunk, got);
    return text;
}

std::string TDDirectories::ToEncrypted() const
{
    return EncryptData(ToText());
}

void TDDirectories::SaveFile(const QString& path) const
{
    // The lines go straight into the cipher's buffer and on to the file a
    // buffer at a time: no copy of the whole text is made.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ThrowFileError("Cannot create", path, file);
    int row = 0;
    size_t offset = 0;
    qint64 flushedTo = 0;
    const auto startWriteback = [&](int64_t) {
#if defined(__linux__)
        // The disk starts on what is written while the rest is encrypted, so
        // the flush to disk when the file is committed has little left to do.
        if (file.pos() - flushedTo >= (8 << 20) && file.flush()) {
            ::sync_file_range(file.handle(), flushedTo, file.pos() - flushedTo, SYNC_FILE_RANGE_WRITE);
            flushedTo = file.pos();
        }
#endif
    };
    const bool written = EncryptData(
        [&](uint8_t* into, size_t room) { return WriteText(reinterpret_cast<char*>(into), room, row, offset); },
        file, startWriteback);
    if (!written || !file.commit())
        ThrowFileError("Cannot write", path, file);
    // The new name must survive a power cut as well as the bytes.
    SyncFolderOf(path);
}

// ---- damaged files ----

QString TDDirectories::DamagedCopyName(const QString& appDir)
{
    return DamagedCopyNameOf(appDir, QLatin1String(FileName));
}

QString TDDirectories::KeepDamagedCopy(const QString& appDir)
{
    return KeepDamagedCopyOf(appDir, QLatin1String(FileName));
}
