#pragma once
// The parameter file's lock, held by the copy of the program that may save the file.

#include <filesystem>
#include <future>
#include <memory>

class QLockFile;

namespace vestamar {

class TravaDoArquivo {
public:
    // Starts the first attempt at once, in the background: QLockFile waits for the lock to
    // reach the disk, which the program spends building its window instead.
    explicit TravaDoArquivo(const std::filesystem::path& arquivo);
    ~TravaDoArquivo();
    TravaDoArquivo(const TravaDoArquivo&) = delete;
    TravaDoArquivo& operator=(const TravaDoArquivo&) = delete;

    // True when this copy holds the lock, taking it if it can; also true where no lock can be
    // made at all (a read-only folder has no second copy to fear from here). False while
    // another running copy holds it.
    bool travar();

private:
    std::unique_ptr<QLockFile> trava_;
    std::future<bool> primeira_;  // the first attempt; nothing else touches trava_ until it is read
};

}  // namespace vestamar
