#include "data/store_lock.h"

#include "data/engine_error.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace meru {

bool writableByThisUser(const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK) == 0; }

namespace {

void requireWritable(const QString& storeDir) {
    QStringList refused;
    if (!writableByThisUser(storeDir)) refused << QDir::toNativeSeparators(storeDir);
    for (const schema::TableDef* def : schema::workingTables()) {
        const QString file = QDir(storeDir).filePath(def->fileName);
        if (QFileInfo::exists(file) && !writableByThisUser(file)) refused << QDir::toNativeSeparators(file);
    }
    if (!refused.isEmpty())
        throw EngineError(QStringLiteral("Este usuário não pode gravar nos dados do MERU:\n%1\n"
                                         "O MERU precisa gravar nas suas tabelas e não será aberto. "
                                         "Peça permissão de gravação para a pasta e as tabelas.")
                              .arg(refused.join(QLatin1Char('\n'))));
}

}  // namespace

StoreLock::StoreLock(const QString& storeDir) {
    requireWritable(storeDir);
    const QString path = QDir(storeDir).filePath(lockFileName());
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw EngineError(QStringLiteral("Não foi possível criar o arquivo de trava %1.")
                              .arg(QDir::toNativeSeparators(path)));
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        throw EngineError(QStringLiteral("O MERU já está aberto sobre os dados em %1.\n"
                                         "Use a cópia que já está aberta; esta será fechada.")
                              .arg(QDir::toNativeSeparators(storeDir)));
    }
}

StoreLock::~StoreLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the file releases the lock
}

}  // namespace meru
