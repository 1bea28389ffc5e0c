# Renders the manual page as the site's matinv.html: the text that man shows,
# in a <pre>, so that the page can link its manual without a man reader.
#   cmake -DGROFF=/usr/bin/groff -DMANUAL=doc/matinv.1 -DOUTPUT=site/matinv.html -P web/manual.cmake
# groff comes in Debian's groff-base package.
execute_process(COMMAND ${GROFF} -man -Tutf8 -P-cbou -rLL=72n -rHY=0 ${MANUAL}
  OUTPUT_VARIABLE text ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR text STREQUAL "")
  message(FATAL_ERROR "groff could not render ${MANUAL}: ${errors}")
endif()
string(REPLACE "&" "&amp;" text "${text}")
string(REPLACE "<" "&lt;" text "${text}")
string(REPLACE ">" "&gt;" text "${text}")
file(WRITE ${OUTPUT} "<!doctype html>
<html lang=\"en\">
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>matinv(1), the manual</title>
<link rel=\"stylesheet\" href=\"style.css\">
<p><a href=\"./\">Back to matinv</a></p>
<pre>${text}</pre>
</html>
")
