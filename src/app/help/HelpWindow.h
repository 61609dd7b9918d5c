#pragma once
// The program's own help window, so the installed help pages need no browser: the page in a text
// browser, Back, Forward and Home (the table of contents) on a toolbar, and beside the page a
// contents tree read from the topic list of the contents page. Links that leave the installed
// pages, and pages that are not there, go back to the owner through signals.

#include <QMainWindow>
#include <QUrl>

class QAction;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvan::app {

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // `contentsPage`: the file of the table of contents, the Home of the window.
    explicit HelpWindow(const QString& contentsPage, QWidget* parent = nullptr);

    // Shows a page of the installed help: a local file, perhaps with "#anchor". A file that is
    // not there is reported through pageMissing and the page on screen stays.
    void ShowPage(const QUrl& page);
    void Home();

    QTextBrowser* Browser() const { return browser_; }
    QTreeWidget* Contents() const { return contents_; }
    QAction* BackAction() const { return back_; }
    QAction* ForwardAction() const { return forward_; }
    QAction* HomeAction() const { return home_; }

signals:
    void webAddressChosen(const QUrl& address);  // http, https, mailto and the like
    void documentChosen(const QString& path);    // a local file that is no help page (a PDF)
    void pageMissing(const QString& path);

private:
    void FollowLink(const QUrl& link);
    void FillContents();
    void SelectContentsEntry(const QUrl& page);
    void ShowTitle();

    QUrl contentsPage_;
    QTextBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
};

}  // namespace quorvan::app
