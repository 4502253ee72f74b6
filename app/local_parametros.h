#pragma once
// Where vestaMar.ini lives.
//
// Beside the executable, as always, when the program may write there: a copied executable keeps
// its file beside itself. An installed program (in /usr/bin, or on a read-only network share)
// keeps one file per user in the user's configuration folder instead; without that, every
// user's parameters would be lost at each exit.

#include <QString>

#include <filesystem>

namespace vestamar {

// The folder of vestaMar.ini for a program whose executable lies in `pastaPrograma`:
// - `pastaPrograma` when vestaMar.ini lies there and can be written (in place, if the folder
//   itself cannot), or when there is none and a file can be created there;
// - otherwise `pastaUsuario`, created when missing. The first time, its file is a copy of a
//   vestaMar.ini beside the executable (an administrator's defaults for every user), which is
//   itself never written; without one, the start-up writes the defaults there.
// Whether a place can be written is found out by trying, never from permission bits: root
// writes where the bits say no, and network shares report bits that do not hold.
QString pastaDosParametros(const QString& pastaPrograma, const QString& pastaUsuario);

// The user's own folder for the file: ~/.config/vestaMar on Linux, the roaming application
// data folder on Windows (it follows the user from one office machine to another). Empty when
// the system names none.
QString pastaDoUsuario();

// A folder as the native path the parameter file's functions take.
std::filesystem::path caminhoNativo(const QString& pasta);

}  // namespace vestamar
