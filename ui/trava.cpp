#include "trava.h"

#include <QLockFile>
#include <QString>

namespace vestamar {

TravaDoArquivo::TravaDoArquivo(const std::filesystem::path& arquivo)
    : trava_(std::make_unique<QLockFile>(QString::fromStdU16String(arquivo.u16string()) + QStringLiteral(".lock"))) {
    // The lock is held for the whole session: only a lock left by a copy that is no longer
    // running is taken over, however old.
    trava_->setStaleLockTime(0);
    primeira_ = std::async(std::launch::async, [trava = trava_.get()] { return trava->tryLock(0); });
}

// The first attempt is waited for (by the future) before the lock goes.
TravaDoArquivo::~TravaDoArquivo() = default;

bool TravaDoArquivo::travar() {
    const bool travado = primeira_.valid() ? primeira_.get() : trava_->isLocked() || trava_->tryLock(0);
    return travado || trava_->error() != QLockFile::LockFailedError;
}

}  // namespace vestamar
