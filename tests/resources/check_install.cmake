# The install, made into a folder of its own: the editor with the files a
# desktop and Debian expect of it. Run by CTest with -DBUILD=<build folder>
# -DOUT=<empty folder>.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${OUT} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "the install failed")
endif()
set(expected
  bin/zt350editor
  share/applications/zt350editor.desktop
  share/metainfo/org.korvanta.zt350editor.metainfo.xml
  share/icons/hicolor/scalable/apps/zt350editor.svg
  share/man/man1/zt350editor.1.gz
  share/doc/zt350editor/copyright
  share/doc/zt350editor/changelog.Debian.gz
  share/zt350editor/Korvanta_En.htm
  share/zt350editor/metronome_sound/click1.wav)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/zt350editor.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${OUT}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${OUT}/share/doc/zt350editor/copyright copyright)
if(NOT copyright MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
  message(FATAL_ERROR "the copyright file is not in the machine-readable format")
endif()
file(REMOVE_RECURSE ${OUT})
