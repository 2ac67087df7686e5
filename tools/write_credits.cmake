# Joins the font licence files into one credits file.
set(out "Fonts of Flonder's Glimmet\n==========================\n\nEvery font is an unmodified file from a Debian font package; its full copyright and licence text\nfollows, and also stands beside the font as \"<name> licence.txt\".\n")
foreach(part IN LISTS PARTS)
  file(READ ${part} text)
  string(APPEND out "\n\n------------------------------------------------------------------------------\n\n${text}")
endforeach()
file(WRITE ${OUT} "${out}")
