# The program's folder on Windows, as `cmake --install` lays it out (the installer and the
# portable zip are made from it, scripts/windows.sh): vestamar.exe and its printing module at
# the top, with the Qt libraries, the C++ runtime of MinGW-w64 they share, the Qt plugins the
# window uses, qt.conf telling Qt where those are, and Qt's Portuguese translations.
#
# The empty file `instalado` beside vestamar.exe marks an installed program (it keeps the
# user's parameters in %APPDATA%\vestaMar, never in its own folder). It is the only file of the
# component `instalado`: the installer's tree has it, the portable zip (component Unspecified)
# does not.

find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)

install(FILES
  $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
  $<TARGET_FILE:Qt6::PrintSupport>
  DESTINATION .)

# The compiler's own runtime DLLs, as the compiler reports where they are.
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE caminho OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT IS_ABSOLUTE "${caminho}" OR NOT EXISTS "${caminho}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  install(FILES "${caminho}" DESTINATION .)
endforeach()

# The Windows platform and the native style (Windows printing is part of Qt6PrintSupport).
foreach(plugin IN ITEMS platforms:QWindowsIntegrationPlugin styles:QWindowsVistaStylePlugin)
  string(REPLACE ":" ";" partes ${plugin})
  list(GET partes 0 pasta)
  list(GET partes 1 alvo)
  install(FILES $<TARGET_FILE:Qt6::${alvo}> DESTINATION plugins/${pasta})
endforeach()

# qt.conf and the marker are written into a folder of their own, not beside the executables
# built here: beside them, qt.conf would send the build tree's programs (the screenshot
# program) to a plugins folder that is only in the installed tree, and the marker would make
# them take themselves for installed.
set(vestamar_instalacao ${CMAKE_CURRENT_BINARY_DIR}/instalacao)
file(WRITE ${vestamar_instalacao}/qt.conf "[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n")
install(FILES ${vestamar_instalacao}/qt.conf DESTINATION .)

# Qt's own texts (dialog buttons, the print dialog) in Portuguese, from Debian's
# qt6-translations-l10n: the same files the Linux package relies on.
set(VESTAMAR_TRADUCOES_QT /usr/share/qt6/translations CACHE PATH "Folder of Qt's qtbase_*.qm translations")
file(GLOB traducoes ${VESTAMAR_TRADUCOES_QT}/qtbase_pt_BR.qm ${VESTAMAR_TRADUCOES_QT}/qtbase_pt.qm)
if(NOT traducoes)
  message(FATAL_ERROR "qtbase_pt_BR.qm not found in ${VESTAMAR_TRADUCOES_QT} (qt6-translations-l10n)")
endif()
install(FILES ${traducoes} DESTINATION translations)

file(WRITE ${vestamar_instalacao}/instalado "")
install(FILES ${vestamar_instalacao}/instalado DESTINATION . COMPONENT instalado)
