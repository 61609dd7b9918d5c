#include "app/dialogs/Prompts.h"

#include "ProgramVersion.h"
#include "app/dialogs/TfrmErrorDlg.h"

#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace quorvan::app {

SaveAnswer Prompts::AskSaveChanges(QWidget* parent)
{
    const auto button = QMessageBox::warning(parent, QStringLiteral("Quorvan_16"),
                                             QStringLiteral("Do You Want To Save Your Changes"),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (button == QMessageBox::Yes)
        return SaveAnswer::Yes;
    if (button == QMessageBox::No)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

bool Prompts::AskYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool Prompts::AskWarningYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::warning(parent, QStringLiteral("Quorvan_16"), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool Prompts::AskProceed(QWidget* parent, const QString& title, const QString& text, const QString& proceed,
                         const QString& back)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QPushButton* proceedButton = box.addButton(proceed, QMessageBox::AcceptRole);
    QPushButton* backButton = box.addButton(back, QMessageBox::RejectRole);
    box.setDefaultButton(backButton);
    box.setEscapeButton(backButton);
    box.exec();
    return box.clickedButton() == proceedButton;
}

void Prompts::Inform(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("Quorvan_16"), text, QMessageBox::Ok);
}

int Prompts::RunDialog(QDialog& dialog)
{
    return dialog.exec();
}

QString Prompts::ChooseFolder(QWidget* parent, const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

void Prompts::Warn(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Quorvan_16"), text, QMessageBox::Ok);
}

namespace {

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString Prompts::OpenFileName(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString Prompts::SaveFileName(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

void Prompts::ShowMessage(QWidget* parent, const TMessage& message)
{
    TfrmErrorDlg dialog(message, parent);
    dialog.exec();
}

void Prompts::About(QWidget* parent)
{
    QMessageBox::about(parent, QStringLiteral("About Quorvan_16"),
                       QStringLiteral("<h3>Quorvan_16</h3><p>Version %1</p>"
                                      "<p>2016 returns of estates and trusts (Form 1041).</p>")
                           .arg(QLatin1String(kProgramVersion)));
}

QSize Prompts::ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1920, 1080);
}

QList<QRect> Prompts::ScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

RecoveryAnswer Prompts::AskRecovery(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quorvan_16"), text, QMessageBox::NoButton, parent);
    QAbstractButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QAbstractButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("Keep for Later"), QMessageBox::RejectRole);
    box.setDefaultButton(static_cast<QPushButton*>(restore));
    box.exec();
    if (box.clickedButton() == restore)
        return RecoveryAnswer::Restore;
    if (box.clickedButton() == discard)
        return RecoveryAnswer::Discard;
    return RecoveryAnswer::KeepForLater;
}

}  // namespace quorvan::app
