#pragma once
// Where vestaMar.ini lives.
//
// An installed program (the package, `cmake --install`, the Windows installer) never writes
// beside itself, whoever runs it, root included: each user keeps a file in the user's
// configuration folder, seeded the first time from the administrator's file. It knows it is
// installed by the marker file the install rules put in the installed tree (`instalado`: on
// Linux in <prefix>/share/vestamar/, on Windows beside the executable); the build tree, a
// copied executable and the portable zip have none.
//
// A program that is not installed keeps its file beside itself when it may write there, as a
// copied executable always did; otherwise it uses the user's folder, seeded from the file
// beside it.

#include <QString>

namespace vestamar {

struct LocalParametros {
    // The folder of the vestaMar.ini the program reads and saves.
    QString pasta;
    // The folder of the administrator's file, read instead when the user's file does not
    // exist and cannot be created (a home folder that cannot be written); empty otherwise.
    // That run cannot save, and start-up says so.
    QString padroes;
};

// The choice, for an executable in `pastaPrograma`:
// - installed: `pastaUsuario` (created when missing), its file a copy of the one in
//   `pastaAdministrador` the first time; the administrator's file is never written;
// - not installed: `pastaPrograma` when vestaMar.ini lies there and can be written (in place,
//   if the folder itself cannot), or when there is none and a file can be created there;
//   otherwise `pastaUsuario`, seeded from a vestaMar.ini beside the executable.
// With no user's folder at all (the system names none), the folder of the administrator's
// file (installed) or of the executable is used, read only unless it can be written.
// Whether a place can be written is found out by trying, never from permission bits: root
// writes where the bits say no, and network shares report bits that do not hold.
LocalParametros escolherLocal(const QString& pastaPrograma, bool instalado, const QString& pastaUsuario,
                              const QString& pastaAdministrador);

// The same choice for the running system: whether the executable in `pastaPrograma` is
// installed, the user's folder and the administrator's.
LocalParametros localDosParametros(const QString& pastaPrograma);

// True when the executable in `pastaPrograma` belongs to an installation (its marker exists).
bool programaInstalado(const QString& pastaPrograma);

// The folder of the administrator's file for an installed program in `pastaPrograma`: on
// Linux the installation's configuration folder, as the GNU install directories name it
// (/etc/vestaMar for a program in /usr/bin, <prefix>/etc/vestaMar for any other prefix); on
// Windows the executable's own folder.
QString pastaDoAdministrador(const QString& pastaPrograma);

// The user's own folder for the file: ~/.config/vestaMar on Linux, the roaming application
// data folder on Windows (it follows the user from one office machine to another). Empty when
// the system names none.
QString pastaDoUsuario();

}  // namespace vestamar
