# The Windows zip: the programs with the word list beside them (where they
# look for the installed list), the Windows README and the licences, in one
# folder named after the version.
# Every program of the project belongs here (the zip's test expects each
# .exe of the build's top folder).
install(TARGETS unjam unjam-names unjam-season unjam-review RUNTIME DESTINATION .)
# The README for Windows users (the drop on unjam-season.exe first, then the
# terminal), with the version's paths and Windows' line ends, for Notepad.
configure_file(package/windows/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES dict/words dict/words.counts dict/words.profile "${PROJECT_BINARY_DIR}/README.txt" LICENSE
  dict/COPYING.scowl dict/COPYING.counts DESTINATION .)
# Each other language in a folder of its own: its list, rules, accepted
# forms and notices.
foreach(language de es fr it pt)
  file(GLOB notice dict/${language}/COPYING.* dict/${language}/words.*)
  install(FILES dict/${language}/words ${notice}
    DESTINATION ${language})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME unjam)
set(CPACK_PACKAGE_VENDOR "The Unjam developers")
set(CPACK_PACKAGE_FILE_NAME "unjam-${PROJECT_VERSION}-windows-x86_64")
set(CPACK_STRIP_FILES ON)
include(CPack)

if(UNJAM_TESTS AND CMAKE_CROSSCOMPILING)
  add_test(NAME install.zip
    COMMAND bash "${PROJECT_SOURCE_DIR}/tests/install/zip-test.sh" "${PROJECT_BINARY_DIR}"
      "${PROJECT_SOURCE_DIR}")
  set_tests_properties(install.zip PROPERTIES LABELS install COST 35)
  run_tests_under_wine()
endif()
