// Moving a finished personal file into its backup folder by renaming only.
#include "record/BackupFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

BackupFolder::BackupFolder(QString folder) : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
}

QString BackupFolder::slotPath(int n) const
{
    return m_folder + QString::number(n) + QStringLiteral(".rvl");
}

QString BackupFolder::overflowFolder(int k) const
{
    return m_folder + QString::number(k) + QLatin1Char('/');
}

bool BackupFolder::makePrivate(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

bool BackupFolder::renameFile(const QString& from, const QString& to, QString* error)
{
    // QFile::rename would fall back to copy and delete; a plain rename either happens whole or not at all.
    if (QFileInfo::exists(to)) {
        *error = QStringLiteral("%1 already exists").arg(QDir::toNativeSeparators(to));
        return false;
    }
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            code);
    if (code) {
        *error = QString::fromStdString(code.message());
        return false;
    }
    return true;
}

BackupFolder::Outcome BackupFolder::moveIn(const QString& activeFile) const
{
    Outcome outcome;
    const QString shownFolder = QDir::toNativeSeparators(m_folder);
    if (!makePrivate(m_folder)) {
        outcome.error = QStringLiteral("The backup folder %1 could not be created.").arg(shownFolder);
        return outcome;
    }

    int slot = 1;
    while (slot <= slotCount && QFileInfo::exists(slotPath(slot)))
        ++slot;
    if (slot > slotCount) {
        int k = 1;
        // Checked without the trailing "/", so that a plain file of that name also counts as taken.
        while (QFileInfo::exists(m_folder + QString::number(k)))
            ++k;
        const QString overflow = overflowFolder(k);
        if (!QDir().mkdir(overflow, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
            outcome.error = QStringLiteral("The backup folder %1 is full and its sub-folder %2 could not be created.")
                                .arg(shownFolder, QString::number(k));
            return outcome;
        }
        for (int n = 1; n <= slotCount; ++n) {
            QString why;
            if (!renameFile(slotPath(n), overflow + QString::number(n) + QStringLiteral(".rvl"), &why)) {
                outcome.error = QStringLiteral("The backup folder %1 is full and its file %2.rvl could not be moved "
                                               "into the sub-folder %3: %4.")
                                    .arg(shownFolder, QString::number(n), QString::number(k), why);
                return outcome;
            }
        }
        slot = 1;
    }

    QString why;
    if (!renameFile(activeFile, slotPath(slot), &why)) {
        outcome.error = QStringLiteral("The personal file %1 could not be moved into the backup folder %2: %3.")
                            .arg(QDir::toNativeSeparators(activeFile), shownFolder, why);
        return outcome;
    }
    outcome.moved = true;
    outcome.target = slotPath(slot);
    return outcome;
}
