#include "FileChooser.h"

#include "app/FileTypes.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace hwd {

namespace {

// Names on Linux are case-sensitive: a recording called TAKE.WAV is a WAV file too.
const QString wavFile = QString::fromLatin1(FileTypes::wavFile) + QStringLiteral(" (*.wav *.WAV)");
const QString sysExDump = QString::fromLatin1(FileTypes::sysExDump) + QStringLiteral(" (*.syx *.SYX)");
const QString allFiles = QString::fromLatin1(FileTypes::allFiles) + QStringLiteral(" (*)");
const QString waveFolder = QString::fromLatin1(FileTypes::waveFolder) + QStringLiteral(" (*)");
const QString waveFilesAndDumps = QStringLiteral("%1, %2 (*.wav *.WAV *.syx *.SYX)")
                                      .arg(QString::fromLatin1(FileTypes::wavFile), QString::fromLatin1(FileTypes::sysExDump));

// The extension that a name typed without one gets under each save type; a
// folder gets none.
QString suffixFor(const QString& nameFilter)
{
    if (nameFilter == waveFolder)
        return {};
    return nameFilter == sysExDump ? QStringLiteral("syx") : QStringLiteral("wav");
}

// The very bytes that name the file on disk, as the loader and the writer open it.
std::filesystem::path nativePath(const QString& fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

QString displayName(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::optional<std::filesystem::path> chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return nativePath(files.first());
}

} // namespace

std::optional<std::filesystem::path> FileChooser::chooseFileToOpen(OpenTypes types)
{
    const bool bank = types == OpenTypes::waveFilesAndDumps;
    QFileDialog dialog(&owner_, QString::fromLatin1(bank ? FileTypes::openBankTitle : FileTypes::openTitle));
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (bank)
        dialog.setNameFilters({waveFilesAndDumps, wavFile, sysExDump, allFiles});
    else
        dialog.setNameFilters({wavFile, allFiles});
    return chosenFile(dialog);
}

std::optional<std::filesystem::path> FileChooser::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                   SaveTypes types)
{
    const bool bank = types == SaveTypes::bank;
    QFileDialog dialog(&owner_, QString::fromLatin1(bank ? FileTypes::saveBankTitle : FileTypes::saveTitle));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString first = bank ? sysExDump : wavFile;
    dialog.setNameFilters(bank ? QStringList{sysExDump, waveFolder} : QStringList{wavFile, sysExDump});
    dialog.selectNameFilter(first);
    dialog.setDefaultSuffix(suffixFor(first));
    // A name typed without an extension takes the chosen type's; the dialog asks
    // before replacing a file under that full name.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    const QFileInfo offered(displayName(suggested));
    if (suggested.has_parent_path())
        dialog.setDirectory(offered.absolutePath());
    dialog.selectFile(offered.fileName());
    return chosenFile(dialog);
}

} // namespace hwd
