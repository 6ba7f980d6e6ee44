// Qt dialogs behind the message-box seam.
#include "services/qtmessageboxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace bralvo::services {

namespace {

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & platform::kMbIconMask) {
    case platform::kMbIconError: return QMessageBox::Critical;
    case platform::kMbIconQuestion: return QMessageBox::Question;
    case platform::kMbIconWarning: return QMessageBox::Warning;
    case platform::kMbIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int answerCode(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return platform::kIdYes;
    case QMessageBox::No: return platform::kIdNo;
    case QMessageBox::Cancel: return platform::kIdCancel;
    default: return platform::kIdOk;
    }
}

// Texts break lines with CR (as the message texts are written), CR LF or
// LF; a Qt label breaks only at LF.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::optional<QString> chosen(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QString startPath(const platform::FileDialogRequest &request)
{
    if (request.fileName.isEmpty())
        return request.folder;
    if (request.folder.isEmpty())
        return request.fileName;
    return QDir(request.folder).filePath(request.fileName);
}

} // namespace

int QtMessageBoxes::messageBox(const QString &text, const QString &caption, int flags)
{
    QMessageBox box(iconFor(flags), caption, displayText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Names and paths from files and the database are shown, never rendered.
    box.setTextFormat(Qt::PlainText);
    switch (flags & platform::kMbButtonMask) {
    case platform::kMbYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case platform::kMbOkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    return answerCode(box.standardButton(box.clickedButton()));
}

std::optional<QString> QtMessageBoxes::openFileName(const platform::FileDialogRequest &request)
{
    return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), request.caption,
                                               startPath(request), request.filter));
}

std::optional<QString> QtMessageBoxes::saveFileName(const platform::FileDialogRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.caption, startPath(request), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return chosen(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtMessageBoxes::existingFolder(const QString &caption, const QString &startFolder)
{
    return chosen(QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, startFolder));
}

std::optional<QString> QtMessageBoxes::askText(const QString &caption, const QString &prompt,
                                               const QString &initialText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                               QLineEdit::Normal, initialText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<int> QtMessageBoxes::askChoice(const QString &caption, const QString &prompt,
                                             const QStringList &items, int current)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(QApplication::activeWindow(), caption, prompt, items,
                                               current, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(items.indexOf(item));
}

} // namespace bralvo::services
