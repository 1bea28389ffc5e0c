# Writes the Debian package's copyright file, in Debian's machine-readable
# format: matinv's own license, and those of the libraries that a static
# program carries inside it. Included with these variables set, or run as
#   cmake -DOUTPUT=file -DLICENSE_FILE=LICENSE -DSTATIC=ON
#         -DLINE_EDITING=OFF -DEXACT=OFF -P MatinvCopyright.cmake
# STATIC says whether the program is linked statically; LINE_EDITING and
# EXACT whether it links the line editor (libedit) and GMP. A program linked
# dynamically carries no library: each comes in its own package, with its
# own copyright file.
file(READ ${LICENSE_FILE} mit)
# The MIT text as a field's continuation lines: its title gone, a space
# before each line and " ." for a blank one.
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" mit "${mit}")
string(STRIP "${mit}" mit)
string(REPLACE "\n\n" "\n.\n" mit "${mit}")
string(REPLACE "\n" "\n " mit "${mit}")

string(CONCAT text
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: matinv\n"
  "Upstream-Contact: The matinv developers\n")
if(STATIC)
  string(APPEND text
    "Comment: /usr/bin/matinv is linked statically, so it holds parts of the\n"
    " libraries named in the License paragraphs below besides its own code.\n")
else()
  string(APPEND text
    "Comment: /usr/bin/matinv is linked dynamically: the libraries it uses come\n"
    " in packages of their own.\n")
endif()
string(APPEND text "\n"
  "Files: *\n"
  "Copyright: 2026 The matinv developers\n"
  "License: MIT\n"
  " ${mit}\n")

if(STATIC)
  string(APPEND text "\n"
    "License: LGPL-2.1+\n"
    " This library is free software; you can redistribute it and/or modify it\n"
    " under the terms of the GNU Lesser General Public License as published by\n"
    " the Free Software Foundation; either version 2.1 of the License, or (at\n"
    " your option) any later version.\n"
    " .\n"
    " On Debian systems, the complete text of the GNU Lesser General Public\n"
    " License version 2.1 can be found in /usr/share/common-licenses/LGPL-2.1.\n"
    "Comment: The GNU C Library (glibc), Copyright Free Software Foundation,\n"
    " Inc. and others, linked into /usr/bin/matinv.\n"
    "\n"
    "License: GPL-3+ with GCC-exception-3.1 exception\n"
    " This library is free software; you can redistribute it and/or modify it\n"
    " under the terms of the GNU General Public License as published by the\n"
    " Free Software Foundation; either version 3, or (at your option) any later\n"
    " version, with the GCC Runtime Library Exception, version 3.1, which lets\n"
    " a program compiled by GCC carry these libraries under its own license.\n"
    " .\n"
    " On Debian systems, the complete text of the GNU General Public License\n"
    " version 3 can be found in /usr/share/common-licenses/GPL-3.\n"
    "Comment: The GNU C++ Library (libstdc++) and GCC's support library\n"
    " (libgcc), Copyright Free Software Foundation, Inc., linked into\n"
    " /usr/bin/matinv.\n")
endif()

# The line editor, when the program links it.
if(STATIC AND LINE_EDITING)
  string(APPEND text "\n"
    "License: BSD-3-clause\n"
    " Redistribution and use in source and binary forms, with or without\n"
    " modification, are permitted provided that the following conditions\n"
    " are met:\n"
    " 1. Redistributions of source code must retain the above copyright\n"
    "    notice, this list of conditions and the following disclaimer.\n"
    " 2. Redistributions in binary form must reproduce the above copyright\n"
    "    notice, this list of conditions and the following disclaimer in the\n"
    "    documentation and/or other materials provided with the distribution.\n"
    " 3. Neither the name of the University nor the names of its contributors\n"
    "    may be used to endorse or promote products derived from this software\n"
    "    without specific prior written permission.\n"
    " .\n"
    " THIS SOFTWARE IS PROVIDED BY THE REGENTS AND CONTRIBUTORS ``AS IS'' AND\n"
    " ANY EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE\n"
    " IMPLIED WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE\n"
    " ARE DISCLAIMED. IN NO EVENT SHALL THE REGENTS OR CONTRIBUTORS BE LIABLE\n"
    " FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL, EXEMPLARY, OR CONSEQUENTIAL\n"
    " DAMAGES (INCLUDING, BUT NOT LIMITED TO, PROCUREMENT OF SUBSTITUTE GOODS\n"
    " OR SERVICES; LOSS OF USE, DATA, OR PROFITS; OR BUSINESS INTERRUPTION)\n"
    " HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, WHETHER IN CONTRACT, STRICT\n"
    " LIABILITY, OR TORT (INCLUDING NEGLIGENCE OR OTHERWISE) ARISING IN ANY WAY\n"
    " OUT OF THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY OF\n"
    " SUCH DAMAGE.\n"
    "Comment: The line editor libedit, Copyright The Regents of the University\n"
    " of California and the NetBSD Foundation, and the vis and unvis functions\n"
    " of libbsd that it calls, Copyright The Regents of the University of\n"
    " California, linked into /usr/bin/matinv.\n"
    "\n"
    "License: ISC\n"
    " Permission to use, copy, modify, and distribute this software for any\n"
    " purpose with or without fee is hereby granted, provided that the above\n"
    " copyright notice and this permission notice appear in all copies.\n"
    " .\n"
    " THE SOFTWARE IS PROVIDED \"AS IS\" AND THE AUTHOR DISCLAIMS ALL WARRANTIES\n"
    " WITH REGARD TO THIS SOFTWARE INCLUDING ALL IMPLIED WARRANTIES OF\n"
    " MERCHANTABILITY AND FITNESS. IN NO EVENT SHALL THE AUTHOR BE LIABLE FOR\n"
    " ANY SPECIAL, DIRECT, INDIRECT, OR CONSEQUENTIAL DAMAGES OR ANY DAMAGES\n"
    " WHATSOEVER RESULTING FROM LOSS OF USE, DATA OR PROFITS, WHETHER IN AN\n"
    " ACTION OF CONTRACT, NEGLIGENCE OR OTHER TORTIOUS ACTION, ARISING OUT OF\n"
    " OR IN CONNECTION WITH THE USE OR PERFORMANCE OF THIS SOFTWARE.\n"
    "Comment: strlcpy of libbsd, which libedit calls, Copyright Todd C. Miller,\n"
    " linked into /usr/bin/matinv.\n"
    "\n"
    "License: X11\n"
    " Permission is hereby granted, free of charge, to any person obtaining a\n"
    " copy of this software and associated documentation files (the\n"
    " \"Software\"), to deal in the Software without restriction, including\n"
    " without limitation the rights to use, copy, modify, merge, publish,\n"
    " distribute, distribute with modifications, sublicense, and/or sell copies\n"
    " of the Software, and to permit persons to whom the Software is furnished\n"
    " to do so, subject to the following conditions:\n"
    " .\n"
    " The above copyright notice and this permission notice shall be included\n"
    " in all copies or substantial portions of the Software.\n"
    " .\n"
    " THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS\n"
    " OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF\n"
    " MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN\n"
    " NO EVENT SHALL THE ABOVE COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM,\n"
    " DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR\n"
    " OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE\n"
    " USE OR OTHER DEALINGS IN THE SOFTWARE.\n"
    " .\n"
    " Except as contained in this notice, the name(s) of the above copyright\n"
    " holders shall not be used in advertising or otherwise to promote the\n"
    " sale, use or other dealings in this Software without prior written\n"
    " authorization.\n"
    "Comment: The terminal library libtinfo of ncurses, which libedit uses,\n"
    " Copyright Thomas E. Dickey and Free Software Foundation, Inc., linked\n"
    " into /usr/bin/matinv.\n")
endif()

# Exact arithmetic, when the program links GMP.
if(STATIC AND EXACT)
  string(APPEND text "\n"
    "License: LGPL-3+ or GPL-2+\n"
    " The GNU MP Library is free software; you can redistribute it and/or\n"
    " modify it under the terms of either the GNU Lesser General Public License\n"
    " as published by the Free Software Foundation; either version 3 of the\n"
    " License, or (at your option) any later version; or the GNU General Public\n"
    " License as published by the Free Software Foundation; either version 2\n"
    " of the License, or (at your option) any later version.\n"
    " .\n"
    " On Debian systems, the complete texts of these licenses can be found in\n"
    " /usr/share/common-licenses/LGPL-3 and /usr/share/common-licenses/GPL-2.\n"
    "Comment: The GNU Multiple Precision Arithmetic Library (GMP), Copyright\n"
    " Free Software Foundation, Inc., linked into /usr/bin/matinv. matinv's\n"
    " own source is free under the MIT license, so the program can be\n"
    " rebuilt and relinked with a changed GMP, as the LGPL asks.\n")
endif()

file(WRITE ${OUTPUT} "${text}")
