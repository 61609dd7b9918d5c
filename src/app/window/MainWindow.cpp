#include "app/window/MainWindow.h"

#include "app/dialogs/BusyCursor.h"
#include "app/files/DesktopShell.h"
#include "app/files/FileCommands.h"
#include "app/files/RecoveryCopies.h"
#include "app/help/HelpCommands.h"
#include "app/pages/CalloutNotes.h"
#include "app/pages/PageLayouts.h"
#include "app/print/PrintCommands.h"
#include "app/window/ScreenHooks.h"
#include "files/ClientFile.h"
#include "messages/Messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSequentialAnimationGroup>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quorvan::app {

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }
std::string ToStd(const QString& text) { return text.toStdString(); }

QString ChosenProgramFolder(const StartOptions& options)
{
    if (!options.programFolder.isEmpty())
        return options.programFolder;
    return ToQt(FindProgramFolder(ToStd(QCoreApplication::applicationDirPath())));
}

// Tree width, window width and page scale by screen width; tree width -1 keeps the tree.
struct ScreenFit {
    int treeWidth;
    int windowWidth;
    double pageScale;  // 0 keeps the scale
    bool tooNarrow;
};

ScreenFit FitForScreenWidth(int width)
{
    if (width < 1024)
        return {0, 800, 0.9, true};
    if (width < 1152)
        return {0, 1024, 1.0, false};
    if (width < 1176)
        return {116, 1100, 1.0, false};
    if (width < 1280)
        return {140, 1100, 1.0, false};
    if (width < 1366)
        return {244, 1280, 1.0, false};
    if (width < 1400)
        return {330, 1366, 1.0, false};
    if (width < 1920)
        return {376, 1400, 1.0, false};
    if (width < 10000)
        return {400, 1435, 1.0, false};
    return {0, 800, 0, false};
}

}  // namespace

TfrmMain::TfrmMain(std::unique_ptr<Prompts> prompts, const StartOptions& options)
    : prompts_(prompts ? std::move(prompts) : std::make_unique<Prompts>()),
      hooks_(std::make_unique<ScreenHooks>(*this)),
      layouts_(std::make_unique<PageLayouts>())
{
    setObjectName(QStringLiteral("TfrmMain"));
    files_ = std::make_unique<FileCommands>(*this);
    print_ = std::make_unique<PrintCommands>(*this);
    help_ = std::make_unique<HelpCommands>(*this);
    shell_ = std::make_unique<DesktopShell>();
    previousPresenter_ = SetMessagePresenter([this](const TMessage& message) {
        ++messagesShown_;
        prompts_->ShowMessage(this, message);
    });
    BuildWindow();
    CreateHistory();
    ConnectCommands();
    ConnectFieldClipboard();
    qApp->installEventFilter(this);
    notes_ = new CalloutNotes(this);
    FormCreate(options);
}

TfrmMain::~TfrmMain()
{
    qApp->removeEventFilter(this);
    // The history goes while the Edit menu it keeps up to date is there.
    delete history_;
    history_ = nullptr;
    ClearPage();
    SetMessagePresenter(previousPresenter_);
}

void TfrmMain::BuildWindow()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlClient"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    BuildCommandBars(central, commands_);
    column->addWidget(commands_.pnlToolBar);
    column->addWidget(commands_.pnlCaptionButtonBar);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    TreeView1_ = new QTreeWidget(central);
    BuildNavigationTree(TreeView1_, commands_);
    row->addWidget(TreeView1_);

    VertScrollBox1_ = new QScrollArea(central);
    VertScrollBox1_->setObjectName(QStringLiteral("VertScrollBox1"));
    VertScrollBox1_->setWidgetResizable(false);
    VertScrollBox1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pnlMainForm_ = new QWidget;
    pnlMainForm_->setObjectName(QStringLiteral("pnlMainForm"));
    // The paper behind every page. A palette, not a style sheet: a style sheet here would reach
    // each of the page's hundreds of controls and slow every page change.
    QPalette paper = pnlMainForm_->palette();
    paper.setColor(QPalette::Window, Qt::white);
    pnlMainForm_->setPalette(paper);
    pnlMainForm_->setAutoFillBackground(true);
    pnlMainForm_->resize(800, 600);
    VertScrollBox1_->setWidget(pnlMainForm_);
    row->addWidget(VertScrollBox1_, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    opacity_ = new QGraphicsOpacityEffect(pnlMainForm_);
    opacity_->setOpacity(1.0);
    opacity_->setEnabled(false);
    pnlMainForm_->setGraphicsEffect(opacity_);
    FloatAnimation1_ = new QSequentialAnimationGroup(this);
    FloatAnimation1_->setObjectName(QStringLiteral("FloatAnimation1"));
    FloatAnimation1_->addPause(250);
    auto* fade = new QPropertyAnimation(opacity_, "opacity", FloatAnimation1_);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->setDuration(1750);
    FloatAnimation1_->addAnimation(fade);
    // Drawing through the effect costs every repaint; it is only needed while fading.
    connect(FloatAnimation1_, &QAbstractAnimation::finished, this, [this] { opacity_->setEnabled(false); });

    BuildMenus(*this, commands_);
    addAction(commands_.popOverride);
    addAction(commands_.popDontOverride);
    BuildReviewPanel();
}

void TfrmMain::FormCreate(const StartOptions& options)
{
    TAnswer& store = ReplaceStore();
    state_ = WindowState();
    const QString home = options.homeFolder.isEmpty() ? QDir::homePath() : options.homeFolder;
    folders_ = DefaultFolders(ToStd(home), ToStd(ChosenProgramFolder(options)));
    std::string folderError;
    CreateWorkingFolders(folders_, folderError);

    settings_ = DefaultSettings(folders_);
    const SettingsReadResult read = ReadINI(SettingsFilePath(folders_), settings_);
    settingsWriteBack_ = read.opened;
    for (int line : read.keptLines)
        qWarning("Settings file line %d does not read; its setting keeps its value.", line);
    folders_.ClientFileFolder = settings_.ClientFileFolder;
    folders_.PriorYearFolder = settings_.PriorYearFolder;
    DeriveSupportFolders(folders_);
    CreateAutosave();
    print_->FormCreate();

    state_.CurrentFormType = -1;
    state_.CurrentPageIndex = -1;
    state_.PageScale = 1.0;
    state_.FontShrink = settings_.FontShrink;
    state_.ClientFileName = QString::fromLatin1(kUntitledFileName);
    SetCaption();

    const std::string preset = DefaultReturnPath(folders_);
    if (FileExists(preset) && !ReadClientFileAt(store, preset))
        ShowMessageByCode(11340);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfrmMain::ApplyScreenSize()
{
    const QSize screen = prompts_->ScreenSize();
    const int height = screen.height() - static_cast<int>(screen.height() * 0.075);
    const ScreenFit fit = FitForScreenWidth(screen.width());
    TreeView1_->setFixedWidth(fit.treeWidth);
    if (fit.pageScale > 0)
        state_.PageScale = fit.pageScale;
    resize(fit.windowWidth, height);
    move((screen.width() - fit.windowWidth) / 2, 0);
    if (fit.tooNarrow) {
        ShowMessageByCode(11080);
        showMinimized();
    }
}

void TfrmMain::FormShow()
{
    MessagesOnceEach once;  // the first page's recalculations tell a bad amount once
    ApplyScreenSize();
    QFont treeFont = TreeView1_->font();
    treeFont.setPixelSize(18);
    TreeView1_->setFont(treeFont);
    for (const char* name : {"tvwReview", "tvwFollow", "tvwReviewForm1041"})
        if (QTreeWidgetItem* item = FindTreeItem(TreeView1_, QLatin1String(name)))
            item->setExpanded(true);
    TreeView1_->setCurrentItem(FindTreeItem(TreeView1_, QStringLiteral("tvwForm1041")));
    UpdateRecentMenu();
    DisplayCode(100);
    // The page on screen is drawn at the page scale already; the base width is its width at 100%.
    state_.BasePageWidth = static_cast<int>(std::lround(pnlMainForm_->width() / std::max(state_.PageScale, 0.01)));
    // The tree takes what page 1 leaves of the window: the page, its scroll bar and frame.
    const int scrollBarAndFrame = std::max(15, VertScrollBox1_->verticalScrollBar()->sizeHint().width()
                                                   + 2 * VertScrollBox1_->frameWidth());
    const int treeWidth = width() - pnlMainForm_->width() - scrollBarAndFrame;
    if (treeWidth > 0)
        TreeView1_->setFixedWidth(treeWidth);
    // Where the preparer left the window, when a screen still holds it; the page takes the room.
    if (!isMinimized())
        RestoreWindowPlace();
    OfferRecoveryCopies();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TfrmMain::FormClose()
{
    if (closed_)
        return true;
    CommitEditedField();
    if (state_.Modified) {
        const SaveAnswer answer = prompts_->AskSaveChanges(this);
        if (answer == SaveAnswer::Cancel)
            return false;
        if (answer == SaveAnswer::Yes)
            files_->SaveFile();
    }
    closed_ = true;
    KeepWindowPlace();
    autosave_->ChangesSettled();
    ClearPage();
    store_.Release();
    history_->Stack()->clear();

    settings_.ClientFileFolder = folders_.ClientFileFolder;
    settings_.PriorYearFolder = folders_.PriorYearFolder;
    settings_.PageScale = state_.PageScale;
    settings_.FontShrink = state_.FontShrink;
    std::string error;
    if (settingsWriteBack_ && !WriteINI(SettingsFilePath(folders_), settings_, error))
        prompts_->Warn(this, QStringLiteral("The settings could not be saved: %1").arg(ToQt(error)));
    DeleteTemporaryFiles();
    return true;
}

void TfrmMain::DeleteTemporaryFiles()
{
    for (const std::string& name : DeleteMatchingFiles(folders_.TempFolder, kPrintFileMask))
        prompts_->Warn(this, QStringLiteral("Unable to delete ") + ToQt(name));
}

void TfrmMain::SetShell(std::unique_ptr<DesktopShell> shell)
{
    if (shell)
        shell_ = std::move(shell);
}

TAnswer& TfrmMain::ReplaceStore()
{
    TAnswer& store = store_.Replace();
    history_->Reset(store);
    ReviewAfterCalculate();
    return store;
}

// The file's name, and the desktop's mark of unsaved changes while there are some.
void TfrmMain::SetCaption()
{
    setWindowTitle(ToQt(FileNamePart(ToStd(state_.ClientFileName))) + QStringLiteral("[*]"));
    setWindowModified(state_.Modified);
}

}  // namespace quorvan::app
