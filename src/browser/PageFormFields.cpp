#include "browser/PageFormFields.h"

std::string FormFieldLine(const TFormElementInfo& element)
{
    std::string line;
    line.reserve(64 + element.Name.size() + element.ID.size() + element.TagName.size() + element.ToString.size()
                 + element.InnerText.size() + element.InnerHTML.size());
    line += "Name :";
    line += element.Name;
    line += " ; ID :";
    line += element.ID;
    line += " ; TagName :";
    line += element.TagName;
    line += " ; toString :";
    line += element.ToString;
    line += " ; innerText :";
    line += element.InnerText;
    line += " ; innerHTML :";
    line += element.InnerHTML;
    return line;
}

void ApplyListing(const TFieldListing& listing, std::vector<std::string>& list)
{
    if (!listing.IsHtmlDocument)
        return;
    list = listing.Lines;
}

void ListFormFields(IBrowserControl& browser, QObject* context, TListingDone done)
{
    browser.ReadFormElements(context, [done = std::move(done)](const TFormRead& read) {
        TFieldListing listing;
        listing.End = read.End;
        listing.IsHtmlDocument = read.IsHtmlDocument;
        listing.DocumentToken = read.DocumentToken;
        listing.Error = read.Error;
        listing.Lines.reserve(read.Elements.size());
        for (const TFormElementInfo& element : read.Elements)
            listing.Lines.push_back(FormFieldLine(element));
        done(listing);
    });
}

void SetFieldValueByName(IBrowserControl& browser, const std::string& name, const std::string& value,
                         QObject* context, IBrowserControl::TWriteDone done)
{
    browser.WriteFormFields({TFieldWrite{name, value}}, 0, context,
                            [done = std::move(done)](const TFormWriteResult& result) {
                                if (done)
                                    done(result);
                            });
}
