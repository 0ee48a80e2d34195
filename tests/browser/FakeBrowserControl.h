#pragma once
// A browser for tests of the browser's callers: records what it is asked,
// holds forms in memory, and walks them for writes the plain way (one walk
// over every element per write), which the real page scripts must match.

#include "browser/BrowserControl.h"
#include "browser/FieldFacts.h"

#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct TFakeElement {
    std::string Name;
    bool NameIsNull = false; // matches no name; no failure
    bool Unreadable = false; // reading it fails: ends listing and walks
    bool Unwritable = false; // writing its value fails: ends that walk
    std::string ID;
    std::string TagName = "INPUT";
    std::string InnerText;
    std::string InnerHTML;
    std::string Value;
    int Writes = 0;
};

class TFakeBrowserControl : public IBrowserControl {
    Q_OBJECT
public:
    // ---- control ----
    mutable std::vector<std::string> Log; // "Busy", "Stop", "Navigate <url>", "GoBack", ...
    bool BusyFlag = false;
    bool CanGoBack = false;
    bool CanGoForward = false;

    void Navigate(const QString& url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    bool Busy() const override;

    // ---- document ----
    bool HasHtmlDocument = true;
    bool FormsUnreachable = false;
    std::vector<std::vector<TFakeElement>> Forms;
    std::uint64_t DocumentToken = 7;
    // With false, answers wait until AnswerWaiting().
    bool AnswerAtOnce = true;
    std::vector<std::vector<TFieldWrite>> WriteCalls;

    void ReadFormElements(QObject* context, TReadDone done) override;
    void WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken, QObject* context,
                         TWriteDone done) override;
    int PageCallCount() const override { return FPageCalls; }

    // What ReadFieldFacts gives (when there is a document) and WriteElements
    // writes into: each element's Value, when it still holds the expected one.
    // Left empty, the facts are those of Forms: shown text fields with their
    // names, and the writes land there.
    std::vector<TFieldFacts> FactFields;
    int FactFormCount = 0;
    std::vector<std::vector<TElementWrite>> ElementWriteCalls;
    void ReadFieldFacts(QObject* context, TFactsDone done) override;
    void WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken, QObject* context,
                       TWriteDone done) override;

    // Answers every held call now (each from the event loop).
    void AnswerWaiting();
    // The element of form `form` at `index`.
    TFakeElement& Element(int form, int index) { return Forms.at(static_cast<size_t>(form)).at(static_cast<size_t>(index)); }

private:
    void Deliver(QObject* context, std::function<void()> answer);
    template <typename TRead>
    bool OpenDocument(TRead& read) const;

    int FPageCalls = 0;
    std::deque<std::function<void()>> FHeld;
    std::vector<std::pair<size_t, size_t>> FFactSources; // form and index of each fact read from Forms
};
