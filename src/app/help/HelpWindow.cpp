#include "app/help/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextList>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace quorvan::app {
namespace {

constexpr int kUrlRole = Qt::UserRole;

bool IsHelpPage(const QUrl& url)
{
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html");
}

// One entry of the contents tree: a link of the contents page's topic lists.
struct ContentsEntry {
    QString text;
    QUrl page;
    int level;  // 1 for the outer list
};

// The links of every list on the contents page, in order, with their list depth. Rich text
// gives the structure, so the tree follows whatever the page lists.
QList<ContentsEntry> ReadContents(const QUrl& contentsPage)
{
    QFile file(contentsPage.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    QList<ContentsEntry> entries;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (!list)
            continue;
        const int level = std::max(1, list->format().indent());
        QString href;  // a link set in two styles comes in two fragments: one entry
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString text = it.fragment().text().simplified();
            if (!format.isAnchor() || format.anchorHref().isEmpty()) {
                href.clear();
                continue;
            }
            if (format.anchorHref() == href && !entries.isEmpty()) {
                entries.last().text = (entries.last().text + QLatin1Char(' ') + text).simplified();
                continue;
            }
            href = format.anchorHref();
            entries.append({text, contentsPage.resolved(QUrl(href)), level});
        }
    }
    return entries;
}

}  // namespace

HelpWindow::HelpWindow(const QString& contentsPage, QWidget* parent)
    : QMainWindow(parent), contentsPage_(QUrl::fromLocalFile(contentsPage))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Quorvan_16 Help"));

    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("brwHelp"));
    browser_->setOpenLinks(false);  // every link goes through FollowLink
    contents_ = new QTreeWidget;
    contents_->setObjectName(QStringLiteral("tvwHelpContents"));
    contents_->setHeaderHidden(true);
    contents_->header()->setStretchLastSection(true);

    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 740});
    setCentralWidget(split);

    auto* bar = addToolBar(QStringLiteral("Help"));
    bar->setObjectName(QStringLiteral("pnlHelpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    back_->setObjectName(QStringLiteral("cbtnHelpBack"));
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    forward_->setObjectName(QStringLiteral("cbtnHelpForward"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    home_ = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Contents"));
    home_->setObjectName(QStringLiteral("cbtnHelpHome"));
    home_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, &HelpWindow::Home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) {
        SelectContentsEntry(page);
        ShowTitle();
    });
    // A click, or Enter on the entry chosen with the keys (showing the same page twice is a no-op).
    const auto showEntry = [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kUrlRole).toUrl()); };
    connect(contents_, &QTreeWidget::itemClicked, this, showEntry);
    connect(contents_, &QTreeWidget::itemActivated, this, showEntry);

    FillContents();
    resize(1000, 760);
}

void HelpWindow::Home()
{
    ShowPage(contentsPage_);
}

void HelpWindow::ShowPage(const QUrl& page)
{
    const QString path = page.toLocalFile();
    if (!QFileInfo(path).isFile()) {
        emit pageMissing(path);
        return;
    }
    if (page != browser_->source())
        browser_->setSource(page, QTextDocument::HtmlResource);
}

void HelpWindow::FollowLink(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    if (!target.isLocalFile()) {
        emit webAddressChosen(target);
        return;
    }
    if (IsHelpPage(target))
        ShowPage(target);
    else if (!QFileInfo(target.toLocalFile()).isFile())
        emit pageMissing(target.toLocalFile());
    else
        emit documentChosen(target.toLocalFile());
}

void HelpWindow::FillContents()
{
    auto* top = new QTreeWidgetItem(contents_, QStringList{QStringLiteral("Contents")});
    top->setData(0, kUrlRole, contentsPage_);
    QList<QTreeWidgetItem*> lastAtLevel;  // the latest entry of each level, outermost first
    for (const ContentsEntry& entry : ReadContents(contentsPage_)) {
        const int level = std::min<int>(entry.level, lastAtLevel.size() + 1);  // no level skipped
        QTreeWidgetItem* item = level > 1 ? new QTreeWidgetItem(lastAtLevel[level - 2], QStringList{entry.text})
                                          : new QTreeWidgetItem(contents_, QStringList{entry.text});
        item->setData(0, kUrlRole, entry.page);
        item->setToolTip(0, entry.text);
        lastAtLevel.resize(level - 1);
        lastAtLevel.append(item);
    }
    contents_->expandAll();
}

void HelpWindow::SelectContentsEntry(const QUrl& page)
{
    // The entry for the page and place shown, else the entry for the page.
    QTreeWidgetItem* samePage = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        const QUrl entry = (*it)->data(0, kUrlRole).toUrl();
        if (entry == page) {
            contents_->setCurrentItem(*it);
            return;
        }
        if (!samePage && entry.adjusted(QUrl::RemoveFragment) == page.adjusted(QUrl::RemoveFragment))
            samePage = *it;
    }
    if (samePage)
        contents_->setCurrentItem(samePage);
    else
        contents_->clearSelection();
}

void HelpWindow::ShowTitle()
{
    const QString title = browser_->documentTitle().trimmed();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quorvan_16 Help") : title);
}

}  // namespace quorvan::app
