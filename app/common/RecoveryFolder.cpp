#include "common/RecoveryFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace penlark {

RecoveryFolder::RecoveryFolder(QString path) : m_path(std::move(path)) {}

QString RecoveryFolder::defaultPath() {
    QString given = qEnvironmentVariable("PENLARK_RECOVERY_DIR");
    if (!given.isEmpty())
        return given;
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + u"/.local/state"_s;
    return state + u"/penlark/recovery"_s;
}

bool RecoveryFolder::prepare() const {
    if (!QDir().mkpath(m_path))
        return false;
    return QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString RecoveryFolder::newJournalName() const {
    // Names sort by the time the journal began; journals begun within one millisecond by
    // the order this program began them.
    static int sequence = 0;
    const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmsszzz"_s) + u'-' +
                          u"%1"_s.arg(++sequence, 6, 10, QChar(u'0'));
    QString name;
    do {
        name = m_path + u'/' + stamp + u'-' +
               QString::number(QRandomGenerator::global()->generate(), 36) + u".journal"_s;
    } while (QFile::exists(name));
    return name;
}

QStringList RecoveryFolder::journals() const {
    const QDir folder(m_path);
    QStringList names;
    for (const QString& entry :
         folder.entryList({u"*.journal"_s}, QDir::Files | QDir::Hidden, QDir::Name))
        names.append(folder.filePath(entry));
    return names;
}

} // namespace penlark
