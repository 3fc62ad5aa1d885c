# Run by the web build (cmake -P) once the shipping folder holds its files:
# writes index.html with the link preview's picture at PREVIEW_URL (an
# absolute address, which chat programs and social sites want; the bare file
# name when none is given), then sw.js with the version of this build, the
# SHA-256 of every file it keeps for offline use.
#   -DDIST=folder -DPAGE=web folder [-DPREVIEW_URL=https://host/path/]
file(READ ${PAGE}/index.html page)
if(PREVIEW_URL)
  string(REPLACE "content=\"preview.png\"" "content=\"${PREVIEW_URL}preview.png\"" page "${page}")
endif()
file(WRITE ${DIST}/index.html.new "${page}")
file(COPY_FILE ${DIST}/index.html.new ${DIST}/index.html ONLY_IF_DIFFERENT)
file(REMOVE ${DIST}/index.html.new)

set(hashes "")
foreach(name index.html page.js page.css snowgig.js snowgig.wasm snowgig.dat
             manifest.webmanifest icon-32.png icon-192.png icon-256.png icon-512.png)
  if(NOT EXISTS ${DIST}/${name})
    message(FATAL_ERROR "${DIST}/${name} is missing: the offline copy would be incomplete")
  endif()
  file(SHA256 ${DIST}/${name} hash)
  string(APPEND hashes "${hash} ${name}\n")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${PAGE}/sw.js worker)
string(REPLACE "@SNOWGIG_WEB_VERSION@" ${version} worker "${worker}")
file(WRITE ${DIST}/sw.js.new "${worker}")
file(COPY_FILE ${DIST}/sw.js.new ${DIST}/sw.js ONLY_IF_DIFFERENT)
file(REMOVE ${DIST}/sw.js.new)
