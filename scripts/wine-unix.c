/* The Windows half of the bridge that lets a Windows program under Wine run a Linux program and
 * wait for it. Wine starts a Linux executable from a Windows process, but detached: the Windows
 * side gets no process to wait for and no output, so a test reading pdftoppm's picture would
 * read it before it is written. Copied as <program>.exe into a folder on WINEPATH, this program
 * starts scripts/wine-unix.sh (linked as wine-unix-sh.exe beside it) with a folder of its own,
 * where the script leaves the Linux program's output and, last, its exit status; this program
 * waits for the status, passes the output on and exits with the status.
 *   x86_64-w64-mingw32-gcc -municode -O2 -o pdftoppm.exe wine-unix.c */
#include <windows.h>
#include <stdio.h>
#include <wchar.h>

static void copiar(const wchar_t* arquivo, HANDLE destino) {
    HANDLE h = CreateFileW(arquivo, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) return;
    char bloco[65536];
    DWORD lidos, escritos;
    while (ReadFile(h, bloco, sizeof bloco, &lidos, NULL) && lidos > 0) WriteFile(destino, bloco, lidos, &escritos, NULL);
    CloseHandle(h);
}

int wmain(void) {
    wchar_t proprio[MAX_PATH], pasta[MAX_PATH], temp[MAX_PATH], caminho[MAX_PATH];
    GetModuleFileNameW(NULL, proprio, MAX_PATH);
    wchar_t* barra = wcsrchr(proprio, L'\\');
    wchar_t nome[MAX_PATH];
    wcscpy(nome, barra + 1);
    wchar_t* ponto = wcsrchr(nome, L'.');
    if (ponto) *ponto = 0;
    *barra = 0;  // proprio is now this program's folder

    /* The arguments exactly as given, after this program's own name. */
    const wchar_t* linha = GetCommandLineW();
    if (*linha == L'"') {
        linha = wcschr(linha + 1, L'"');
        linha = linha ? linha + 1 : L"";
    } else {
        while (*linha && *linha != L' ' && *linha != L'\t') ++linha;
    }

    GetTempPathW(MAX_PATH, temp);
    swprintf(pasta, MAX_PATH, L"%lswine-unix-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    if (!CreateDirectoryW(pasta, NULL)) return 127;

    static wchar_t comando[32768];
    swprintf(comando, 32768, L"\"%ls\\wine-unix-sh.exe\" \"%ls\" %ls%ls", proprio, pasta, nome, linha);
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(NULL, comando, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return 127;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);

    swprintf(caminho, MAX_PATH, L"%ls\\estado", pasta);
    int estado = 127;
    for (int espera = 0; espera < 300 * 50; ++espera) {  // up to five minutes
        FILE* f = _wfopen(caminho, L"r");
        if (f) {
            if (fscanf(f, "%d", &estado) != 1) estado = 127;
            fclose(f);
            break;
        }
        Sleep(20);
    }
    DeleteFileW(caminho);
    swprintf(caminho, MAX_PATH, L"%ls\\saida", pasta);
    copiar(caminho, GetStdHandle(STD_OUTPUT_HANDLE));
    DeleteFileW(caminho);
    swprintf(caminho, MAX_PATH, L"%ls\\erros", pasta);
    copiar(caminho, GetStdHandle(STD_ERROR_HANDLE));
    DeleteFileW(caminho);
    RemoveDirectoryW(pasta);
    return estado;
}
