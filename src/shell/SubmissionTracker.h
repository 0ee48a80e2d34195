#pragma once
// Which directory the browser's page belongs to, and the steps that page
// reaches: the directory last opened from the list owns the pages of its
// site (and the site its address led to), and the one page its form led to.
// Leaving them ends the ownership until the list opens a directory again.
// Opened is recorded when the list opens the directory, Filled when Fill
// writes a field on its page, Submitted when, after such a Fill, its site's
// page sends a form.

#include <QString>
#include <QUrl>

#include <functional>
#include <string>

class TSubmissionLog;

class TSubmissionTracker {
public:
    // `currentProject`: the name of the project the selector shows, or empty.
    TSubmissionTracker(TSubmissionLog& log, std::function<std::string()> currentProject);

    // ---- what the panes report ----
    // The list opened this directory's page (its address as the row holds it).
    void DirectoryOpened(const std::string& title, const std::string& url);
    // The browser's top-level page is now `url`.
    void AddressChanged(const QUrl& url);
    // Fill wrote `elements` form elements into the current page.
    void FillWrote(int elements);
    // The page at `from` sent a form to `to`.
    void FormSubmitted(const QUrl& from, const QUrl& to);

    // The directory the current page belongs to; empty when none.
    const std::string& Directory() const { return FTitle; }

private:
    bool OnSite(const QUrl& url) const;
    void Leave();

    TSubmissionLog& FLog;
    std::function<std::string()> FCurrentProject;
    std::string FTitle;
    std::string FURL;
    QUrl FAddress;      // the directory's address as the browser opens it
    QUrl FLandedSite;   // the first page the address led to (after any redirect)
    QUrl FPage;         // the current page, once one belongs to the directory
    QUrl FShown;        // the browser's page, whoever it belongs to
    QUrl FLeaving;      // the page shown when the list opened the directory
    bool FArrived = false;  // a page of the directory is shown
    bool FFormSent = false; // the site's form was sent; the next page is its answer
    bool FFormPage = false; // the current page is that answer, off the site
    std::string FFilledFor; // the project a Fill wrote into the directory's page
};
