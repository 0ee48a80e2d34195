#pragma once
// Everything the program asks of the embedded browser. Callers reach the
// browser through this interface only, so they can be tested with a fake.
//
// The page is read and written asynchronously: each call returns at once and
// its answer arrives later on the user-interface thread, exactly once, unless
// the context object given with the call has been destroyed by then.

#include <QObject>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A failure the browser reports for a control operation (no page to go back to, ...).
class TBrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a call on the page's document ended.
enum class TPageCallEnd {
    Done,       // the call ran on the top-level HTML document
    NoDocument, // no HTML document (nothing loaded, an image, a PDF, plain text): nothing read or written
    Failed,     // the document or its forms could not be reached; Error says why
    TimedOut,   // the page gave no answer in time
    Abandoned,  // the page was replaced, its renderer ended, or the browser closed while the call waited
};

// One form element as the listing shows it; 8-bit text, unchanged otherwise.
struct TFormElementInfo {
    std::string Name;
    std::string ID;
    std::string TagName;
    std::string ToString;
    std::string InnerText;
    std::string InnerHTML;

    bool operator==(const TFormElementInfo&) const = default;
};

// Answer to ReadFormElements.
struct TFormRead {
    TPageCallEnd End = TPageCallEnd::Abandoned;
    // The browser held an HTML document (also when reading its forms then failed).
    bool IsHtmlDocument = false;
    // Forms in document order, each form's elements in its own order. An
    // element that could not be read ends the list before it.
    std::vector<TFormElementInfo> Elements;
    // Identifies the document that was read; pass it to WriteFormFields so
    // that values never land in a page that replaced it.
    std::uint64_t DocumentToken = 0;
    std::string Error;
};

// One value to write into every form element of that exact name.
struct TFieldWrite {
    std::string Name;
    std::string Value;

    bool operator==(const TFieldWrite&) const = default;
};

// Answer to WriteFormFields.
struct TFormWriteResult {
    TPageCallEnd End = TPageCallEnd::Abandoned;
    int ElementsWritten = 0; // element writes made, counting repeats
    std::string Error;
};

// What a person sees of the page's fields (browser/FieldFacts.h).
struct TFieldFactsRead;
struct TElementWrite;

class IBrowserControl : public QObject {
    Q_OBJECT
public:
    using TReadDone = std::function<void(const TFormRead&)>;
    using TWriteDone = std::function<void(const TFormWriteResult&)>;
    using TFactsDone = std::function<void(const TFieldFactsRead&)>;

    explicit IBrowserControl(QObject* parent = nullptr)
        : QObject(parent)
    {
    }

    // Starts loading `url`; does not wait for it. An address of another
    // scheme than http, https and file is refused with TBrowserError.
    virtual void Navigate(const QString& url) = 0;
    // One step in the browser's history; TBrowserError when there is none.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    // Cancels pending navigation and downloads.
    virtual void Stop() = 0;
    // True while a navigation or download is in progress.
    virtual bool Busy() const = 0;

    // Reads every element of every form of the top-level document.
    virtual void ReadFormElements(QObject* context, TReadDone done) = 0;
    // Applies `writes` in order, each one as a walk over every element of
    // every form of the top-level document that sets the value of each element
    // of exactly that name. An element that cannot be read or written ends
    // that one walk. With a non-zero `documentToken` nothing is written unless
    // the document is still the one that read returned it.
    virtual void WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken,
                                 QObject* context, TWriteDone done) = 0;

    // Reads what a person sees of every element of every form of the
    // top-level document, and keeps the elements so that WriteElements can
    // reach each one again.
    virtual void ReadFieldFacts(QObject* context, TFactsDone done) = 0;
    // Writes each value into the element at that index of the document's
    // last fact reading, unless its value has changed since; each written
    // element gets the page's input and change events. Nothing is written
    // unless the document is still the one `documentToken` names.
    virtual void WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken,
                               QObject* context, TWriteDone done) = 0;

    // Page calls made so far; each is one round trip to the page.
    virtual int PageCallCount() const = 0;

signals:
    // Raised repeatedly while a page loads.
    void ProgressChange(int Progress, int ProgressMax);
    // The top-level page's address changed (a new page, or a new fragment).
    void AddressChanged(const QUrl& url);
    // The top-level page at `from` sent a form: a navigation of the
    // form-submission kind to `to` that the browser is going to make.
    void FormSubmitted(const QUrl& from, const QUrl& to);
};
