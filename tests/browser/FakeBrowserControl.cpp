#include "FakeBrowserControl.h"

#include <QPointer>
#include <QTimer>

void TFakeBrowserControl::Navigate(const QString& url)
{
    Log.push_back("Navigate " + url.toStdString());
}

void TFakeBrowserControl::GoBack()
{
    Log.push_back("GoBack");
    if (!CanGoBack)
        throw TBrowserError("no page to go back to");
}

void TFakeBrowserControl::GoForward()
{
    Log.push_back("GoForward");
    if (!CanGoForward)
        throw TBrowserError("no page to go forward to");
}

void TFakeBrowserControl::Refresh()
{
    Log.push_back("Refresh");
}

void TFakeBrowserControl::Stop()
{
    Log.push_back("Stop");
    BusyFlag = false;
}

bool TFakeBrowserControl::Busy() const
{
    Log.push_back("Busy");
    return BusyFlag;
}

void TFakeBrowserControl::Deliver(QObject* context, std::function<void()> answer)
{
    QPointer<QObject> guard(context);
    const bool hasContext = context != nullptr;
    auto call = [guard, hasContext, answer = std::move(answer)] {
        if (hasContext && !guard)
            return;
        answer();
    };
    if (AnswerAtOnce)
        QTimer::singleShot(0, this, call);
    else
        FHeld.push_back(call);
}

void TFakeBrowserControl::AnswerWaiting()
{
    while (!FHeld.empty()) {
        QTimer::singleShot(0, this, FHeld.front());
        FHeld.pop_front();
    }
}

// How both reads end for the document as set up; true when its forms can be read.
template <typename TRead>
bool TFakeBrowserControl::OpenDocument(TRead& read) const
{
    read.IsHtmlDocument = HasHtmlDocument;
    if (!HasHtmlDocument) {
        read.End = TPageCallEnd::NoDocument;
        return false;
    }
    if (FormsUnreachable) {
        read.End = TPageCallEnd::Failed;
        read.Error = "forms unreachable";
        return false;
    }
    read.End = TPageCallEnd::Done;
    read.DocumentToken = DocumentToken;
    return true;
}

void TFakeBrowserControl::ReadFormElements(QObject* context, TReadDone done)
{
    ++FPageCalls;
    TFormRead read;
    if (OpenDocument(read)) {
        [&] {
            for (const auto& form : Forms)
                for (const TFakeElement& e : form) {
                    if (e.Unreadable || e.NameIsNull)
                        return;
                    read.Elements.push_back({e.Name, e.ID, e.TagName, "[object]", e.InnerText, e.InnerHTML});
                }
        }();
    }
    Deliver(context, [read, done = std::move(done)] { done(read); });
}

void TFakeBrowserControl::WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken,
                                          QObject* context, TWriteDone done)
{
    ++FPageCalls;
    WriteCalls.push_back(writes);
    TFormWriteResult result;
    if (!HasHtmlDocument) {
        result.End = TPageCallEnd::NoDocument;
    } else if (documentToken != 0 && documentToken != DocumentToken) {
        result.End = TPageCallEnd::Abandoned;
    } else {
        result.End = TPageCallEnd::Done;
        for (const TFieldWrite& write : writes) {
            [&] {
                for (auto& form : Forms)
                    for (TFakeElement& e : form) {
                        if (e.Unreadable)
                            return;
                        if (e.NameIsNull || e.Name != write.Name)
                            continue;
                        if (e.Unwritable)
                            return;
                        e.Value = write.Value;
                        ++e.Writes;
                        ++result.ElementsWritten;
                    }
            }();
        }
    }
    Deliver(context, [result, done = std::move(done)] { done(result); });
}

void TFakeBrowserControl::ReadFieldFacts(QObject* context, TFactsDone done)
{
    ++FPageCalls;
    TFieldFactsRead read;
    if (OpenDocument(read)) {
        read.FormCount = FactFormCount;
        read.Fields = FactFields;
        FFactSources.clear();
        if (FactFields.empty()) {
            read.FormCount = static_cast<int>(Forms.size());
            [&] {
                for (size_t j = 0; j < Forms.size(); ++j)
                    for (size_t i = 0; i < Forms[j].size(); ++i) {
                        const TFakeElement& e = Forms[j][i];
                        if (e.Unreadable || e.NameIsNull)
                            return;
                        TFieldFacts f;
                        f.Form = static_cast<int>(j);
                        f.Tag = e.TagName == "INPUT" ? "input" : e.TagName == "TEXTAREA" ? "textarea" : "select";
                        f.Type = f.Tag == "input" ? "text" : "";
                        f.Name = e.Name;
                        f.ID = e.ID;
                        f.Shown = true;
                        f.Value = e.Value;
                        read.Fields.push_back(f);
                        FFactSources.emplace_back(j, i);
                    }
            }();
        }
    }
    Deliver(context, [read, done = std::move(done)] { done(read); });
}

void TFakeBrowserControl::WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken,
                                        QObject* context, TWriteDone done)
{
    ++FPageCalls;
    ElementWriteCalls.push_back(writes);
    TFormWriteResult result;
    if (!HasHtmlDocument) {
        result.End = TPageCallEnd::NoDocument;
    } else if (documentToken != DocumentToken) {
        result.End = TPageCallEnd::Abandoned;
    } else {
        result.End = TPageCallEnd::Done;
        for (const TElementWrite& write : writes) {
            const auto at = static_cast<size_t>(write.Index);
            if (FactFields.empty()) {
                TFakeElement& e = Forms.at(FFactSources.at(at).first).at(FFactSources.at(at).second);
                if (e.Value != write.Expected || e.Unwritable)
                    continue;
                e.Value = write.Value;
                ++e.Writes;
            } else {
                TFieldFacts& field = FactFields.at(at);
                if (field.Value != write.Expected)
                    continue;
                field.Value = write.Value;
            }
            ++result.ElementsWritten;
        }
    }
    Deliver(context, [result, done = std::move(done)] { done(result); });
}
