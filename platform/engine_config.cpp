#include "engine_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace meru::platform {

EngineConfig& EngineConfig::instance() {
    static EngineConfig config;
    return config;
}

QString EngineConfig::configFile() const {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/meru-engine/engine.ini");
}

QString EngineConfig::aliasPath(const QString& alias) const {
    if (!aliasOverrideName_.isEmpty() && alias.compare(aliasOverrideName_, Qt::CaseInsensitive) == 0)
        return aliasOverride_;
    QSettings ini(configFile(), QSettings::IniFormat);
    const QString configured = ini.value(QStringLiteral("aliases/") + alias.toUpper()).toString();
    if (!configured.isEmpty()) return configured;
    if (alias.compare(QStringLiteral("MERUDBPX"), Qt::CaseInsensitive) == 0)
        return programDirectory() + QStringLiteral("based");
    return {};
}

QString EngineConfig::driveRoot() const {
    if (!driveOverride_.isEmpty()) return driveOverride_;
    QSettings ini(configFile(), QSettings::IniFormat);
    const QString configured = ini.value(QStringLiteral("drives/A")).toString();
    if (!configured.isEmpty()) return configured;
    return QDir::homePath() + QStringLiteral("/disquete");
}

void EngineConfig::setAliasPath(const QString& alias, const QString& dir) {
    aliasOverrideName_ = alias;
    aliasOverride_ = dir;
}

void EngineConfig::setDriveRoot(const QString& dir) { driveOverride_ = dir; }

void EngineConfig::reset() {
    aliasOverrideName_.clear();
    aliasOverride_.clear();
    driveOverride_.clear();
}

namespace {
QString& programDirectoryOverride() {
    static QString dir;
    return dir;
}
}  // namespace

void setProgramDirectory(const QString& dir) { programDirectoryOverride() = dir; }

QString programDirectory() {
    QString dir = programDirectoryOverride();
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty()) dir = QDir::currentPath();
    return QDir::cleanPath(dir) + QLatin1Char('/');
}

QString mapDrivePath(const QString& path) {
    if (path.size() >= 2 && path[1] == QLatin1Char(':') &&
        path[0].toLower() == QLatin1Char('a')) {
        QString rest = path.mid(2);
        rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
        return QDir::cleanPath(EngineConfig::instance().driveRoot()) + QLatin1Char('/') + rest;
    }
    return path;
}

}  // namespace meru::platform
