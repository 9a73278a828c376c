// Settings kept as an INI file through QSettings, synced on every write. The write never waits long for the
// file's lock: one left behind by a crash, or held by someone else, must not hold the program's tick.
#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// QSettings also writes itself from the event loop a moment after each change, and there it waits on the
// lock for as long as the lock stays: the writes go through store() alone.
class NoSyncFromTheEventLoop final : public QObject
{
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::UpdateRequest; }
};

} // namespace

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_filePath(filePath), m_noEventLoopSync(std::make_unique<NoSyncFromTheEventLoop>()),
      m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
    m_settings->installEventFilter(m_noEventLoopSync.get());
    const QFileInfo info(filePath);
    const QString shown = QDir::toNativeSeparators(filePath);
    if (info.exists() && (!info.isFile() || !info.isReadable()))
        m_problem = QStringLiteral("The settings file %1 cannot be read; the default settings are used.").arg(shown);
    else if (info.exists() && m_settings->status() != QSettings::NoError)
        m_problem = QStringLiteral("The settings file %1 is damaged; the settings that could be read are used, "
                                   "the others have their defaults.")
                        .arg(shown);
}

IniSettingsStore::~IniSettingsStore()
{
    // QSettings writes what waits when it goes, and would wait for ever on a lock that cannot be removed.
    // What still cannot be stored is given up rather than hang the program's end.
    if (m_pending && !store(200))
        (void)m_settings.release();
}

QString IniSettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QovRuvela/QovRuvela.conf");
}

QString IniSettingsStore::keyOf(const QString& keyPath, const QString& name)
{
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

QString IniSettingsStore::ReadIniFromReg(const QString& keyPath, const QString& name) const
{
    const QVariant value = m_settings->value(keyOf(keyPath, name));
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool IniSettingsStore::WriteIniToReg(const QString& keyPath, const QString& name, const QString& value)
{
    // Kept in memory first: read back at once, and written with the next write that gets through.
    m_settings->setValue(keyOf(keyPath, name), value);
    return store(200);
}

bool IniSettingsStore::retryPendingWrites()
{
    return !m_pending || store(0);
}

bool IniSettingsStore::store(int waitMs)
{
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    const QString shown = QDir::toNativeSeparators(m_filePath);
    {
        // The same lock QSettings takes, tried first without blocking: QSettings itself would wait up to half
        // a minute for a lock left behind, and for ever for one it cannot remove.
        QLockFile lock(m_filePath + QStringLiteral(".lock"));
        lock.setStaleLockTime(staleLockMs);
        if (!lock.tryLock(waitMs)) {
            m_pending = true;
            m_problem = QStringLiteral("The settings file %1 is locked; the change is kept and saved as soon as "
                                       "the lock goes.")
                            .arg(shown);
            return false;
        }
    }
    m_settings->sync();
    // Each write is judged on its own: a failure before does not stick once writes work again.
    m_pending = m_settings->status() != QSettings::NoError;
    m_problem = m_pending ? QStringLiteral("The settings could not be saved to %1.").arg(shown) : QString();
    return !m_pending;
}
