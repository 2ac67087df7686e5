# Copies one font file unchanged and writes its licence file beside it: where it comes from, then the
# package's copyright file, then any common licence text that file points to.
file(COPY_FILE ${SOURCE} ${FONT} ONLY_IF_DIFFERENT)
file(READ ${COPYRIGHT} text)
set(out "${NAME}: ${FACE}.\nAn unmodified copy of ${SOURCE} from the Debian package ${PACKAGE},\nshipped under another file name as its licence allows.\n\n")
string(APPEND out "${text}")
if(text MATCHES "/usr/share/common-licenses/Apache-2.0" AND EXISTS /usr/share/common-licenses/Apache-2.0)
  file(READ /usr/share/common-licenses/Apache-2.0 apache)
  string(APPEND out "\n\nThe Apache License 2.0, as referred to above:\n\n${apache}")
endif()
file(WRITE ${LICENCE} "${out}")
