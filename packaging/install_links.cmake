# Run at installation: relative links, so that the installed tree can be moved as a whole (a package's
# staging folder, then /usr).
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${root}/bin")
foreach(command orvalis orvalis-db)
    message(STATUS "Installing link: ${root}/bin/${command}")
    file(CREATE_LINK "../lib/orvalis/${command}" "${root}/bin/${command}" SYMBOLIC)
endforeach()
file(RELATIVE_PATH font "${CMAKE_INSTALL_PREFIX}/lib/orvalis" "${ORVALIS_TAHOMA}")
message(STATUS "Installing link: ${root}/lib/orvalis/tahoma.ttf -> ${font}")
file(CREATE_LINK "${font}" "${root}/lib/orvalis/tahoma.ttf" SYMBOLIC)
