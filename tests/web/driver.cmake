# Installs the test driver into DRIVER: the page test, and puppeteer-core and axe-core at the
# versions of the lock in SOURCE, with NPM; npm runs again only when the lock has changed.
file(COPY ${SOURCE}/page.test.mjs DESTINATION ${DRIVER})
file(READ ${SOURCE}/package-lock.json wanted)
set(installed "")
if(EXISTS ${DRIVER}/package-lock.json AND EXISTS ${DRIVER}/node_modules/puppeteer-core)
    file(READ ${DRIVER}/package-lock.json installed)
endif()
if(NOT installed STREQUAL wanted)
    if(NOT NPM)
        message(FATAL_ERROR "npm is not installed (Debian package npm): scripts/deps.sh web")
    endif()
    file(COPY ${SOURCE}/package.json ${SOURCE}/package-lock.json DESTINATION ${DRIVER})
    execute_process(COMMAND ${NPM} ci --no-audit --no-fund WORKING_DIRECTORY ${DRIVER}
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
