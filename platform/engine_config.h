#pragma once
// The table engine's own configuration, kept outside the system as a table
// engine keeps its own: where the alias MERUDBPX points and which directory drive A: is.
//
// Read from $XDG_CONFIG_HOME/meru-engine/engine.ini (default ~/.config/...):
//   [aliases]  MERUDBPX=/path/to/based
//   [drives]   A=/path/to/diskette
// Without an entry the alias names <program directory>/based and drive A: names
// ~/disquete. Tests set both directly.

#include <QString>

namespace meru::platform {

class EngineConfig {
public:
    static EngineConfig& instance();

    QString configFile() const;
    // Directory the alias designates, or an empty text for an unknown alias.
    QString aliasPath(const QString& alias) const;
    // Directory that stands for the root of drive A:.
    QString driveRoot() const;

    void setAliasPath(const QString& alias, const QString& dir);
    void setDriveRoot(const QString& dir);
    void reset();  // back to the file and the defaults

private:
    EngineConfig() = default;
    QString aliasOverride_;
    QString aliasOverrideName_;
    QString driveOverride_;
};

// Directory of the running program file, with its trailing separator.
QString programDirectory();
// Tests lay out a program directory of their own; an empty text goes back to
// the running program file's.
void setProgramDirectory(const QString& dir);

// Maps a path such as "a:\movimento.DB" onto the drive A: directory; any other
// path is returned unchanged.
QString mapDrivePath(const QString& path);

}  // namespace meru::platform
