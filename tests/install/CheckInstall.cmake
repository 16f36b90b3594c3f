# Installs the build into a scratch prefix and checks the layout that desktops
# and the programs rely on. Run with -DBUILD_DIR=... -DWORK=...
file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# lib/lumarte, or lib/<multiarch>/lumarte on Debian-style prefixes.
file(GLOB candidates LIST_DIRECTORIES true "${prefix}/lib*/lumarte" "${prefix}/lib*/*/lumarte")
set(program_dirs)
foreach(dir ${candidates})
  if(IS_DIRECTORY "${dir}")
    list(APPEND program_dirs "${dir}")
  endif()
endforeach()
list(LENGTH program_dirs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one program folder, found: ${program_dirs}")
endif()
foreach(file lumarte lumarte-cli Lumarte.def Lumarte.dwf Readme.txt help.html FAQ.html 01.bmp 01.fnt
             04.bmp 04.fnt)
  if(NOT EXISTS "${program_dirs}/${file}")
    message(FATAL_ERROR "missing from the program folder: ${file}")
  endif()
endforeach()
foreach(file bin/lumarte bin/lumarte-cli share/man/man1/lumarte.1 share/man/man1/lumarte-cli.1
             share/icons/hicolor/scalable/apps/lumarte.svg
             share/mime/packages/lumarte.xml share/applications/lumarte.desktop)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "missing: ${file}")
  endif()
endforeach()

# The launcher link runs the program from its folder.
execute_process(COMMAND "${prefix}/bin/lumarte-cli" --version OUTPUT_VARIABLE version
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "Lumarte")
  message(FATAL_ERROR "bin/lumarte-cli --version gave ${result}: ${version}")
endif()

file(READ "${prefix}/share/applications/lumarte.desktop" desktop)
if(NOT desktop MATCHES "\nExec=${prefix}/bin/lumarte %F\n")
  message(FATAL_ERROR "desktop entry does not start the installed program:\n${desktop}")
endif()
foreach(type image/bmp image/jpeg image/png image/gif image/x-pcx image/x-hips
             image/vnd.microsoft.icon image/x-win-bitmap image/wmf image/emf image/jp2)
  if(NOT desktop MATCHES "MimeType=[^\n]*${type};")
    message(FATAL_ERROR "desktop entry lacks ${type}")
  endif()
endforeach()
# The tools' actions start the installed program with their switch.
if(NOT desktop MATCHES "\nActions=ThumbnailCreator;ImageBrowser;VideoPlayer;ScreenCapturer;\n")
  message(FATAL_ERROR "desktop entry lacks the tools' actions:\n${desktop}")
endif()
foreach(action "ThumbnailCreator|Thumbnail Creator|-THUMB" "ImageBrowser|Image Browser|-BROWSER"
               "VideoPlayer|Video Player|-VIDEO" "ScreenCapturer|Screen Capturer|-CAPTURE")
  string(REPLACE "|" ";" parts "${action}")
  list(GET parts 0 id)
  list(GET parts 1 name)
  list(GET parts 2 switch)
  if(NOT desktop MATCHES "\n[[]Desktop Action ${id}[]]\nName=${name}\nExec=${prefix}/bin/lumarte ${switch}\n")
    message(FATAL_ERROR "desktop entry lacks the action ${id}:\n${desktop}")
  endif()
endforeach()

# man finds the pages under PREFIX/share/man and renders them without warnings.
find_program(MAN man)
foreach(page lumarte lumarte-cli)
  if(MAN)
    execute_process(COMMAND "${MAN}" --warnings -M "${prefix}/share/man" ${page}
                    OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT text MATCHES "SYNOPSIS")
      message(FATAL_ERROR "man ${page} from the prefix gave ${result}: ${warnings}")
    endif()
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${prefix}/share/applications/lumarte.desktop"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejected the entry")
  endif()
endif()
file(REMOVE_RECURSE "${WORK}")
