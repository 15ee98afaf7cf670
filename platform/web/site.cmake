# Finishes the site in SITE: the service worker, with the version of this build (a hash of the
# other files) and their names, and a brotli and a gzip copy of every file for servers that send
# them (Content-Encoding) to browsers that take them.
# Usage: cmake -DSITE=<folder> -DWORKER=<sw.js template> -DBROTLI=<brotli> -DGZIP=<gzip>
#        -P site.cmake
set(files index.html quillmere.js access.js quillmere.wasm manifest.webmanifest icon-192.png icon-512.png)
set(hashes "")
set(names "")
foreach(file ${files})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes ${hash})
    list(APPEND names "'${file}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 QUILLMERE_VERSION)
list(JOIN names ", " QUILLMERE_FILES)
configure_file(${WORKER} ${SITE}/sw.js @ONLY)

foreach(file ${files} sw.js)
    execute_process(COMMAND ${BROTLI} --best --force --output=${SITE}/${file}.br ${SITE}/${file}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${GZIP} --best --no-name --force --keep ${SITE}/${file}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
