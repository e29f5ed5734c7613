# The packaged game: the program with its asset archive appended, in <build>/game/ under the
# one file name the game mounts its assets from.
#
# Assets are painted by mkassets and appended by vornpack, both run on the build machine. A
# cross build (say for Windows) cannot run its own tools: it points VRX_HOST_TOOLS at a folder
# holding mkassets and vornpack built for the host.
set(VRX_HOST_TOOLS "" CACHE PATH "Folder with host-built mkassets and vornpack (cross builds)")
if(VRX_HOST_TOOLS)
    set(game_mkassets ${VRX_HOST_TOOLS}/mkassets${CMAKE_HOST_EXECUTABLE_SUFFIX})
    set(game_vornpack ${VRX_HOST_TOOLS}/vornpack${CMAKE_HOST_EXECUTABLE_SUFFIX})
    # The files themselves, so that rebuilt host tools repaint and repack here too.
    set(game_mkassets_dep ${game_mkassets})
    set(game_vornpack_dep ${game_vornpack})
else()
    set(game_mkassets $<TARGET_FILE:mkassets>)
    set(game_vornpack $<TARGET_FILE:vornpack>)
    set(game_mkassets_dep mkassets)
    set(game_vornpack_dep vornpack)
endif()

set(TINTFALL_DIR ${PROJECT_BINARY_DIR}/game)
set(TINTFALL_EXE "${TINTFALL_DIR}/Ormwell Studios - Tintfall (2010).exe")
# In archive order; mkassets writes them all at once.
set(TINTFALL_ASSETS ${TINTFALL_DIR}/assets/font_heat.tga ${TINTFALL_DIR}/assets/leds.tga
    ${TINTFALL_DIR}/assets/glowbyjr.tga)

add_executable(tintfall WIN32 ${VRX_SRC}/game/game_entry.cpp)
target_link_libraries(tintfall PRIVATE tintfall_game vrx_entry vrx)

add_custom_command(OUTPUT ${TINTFALL_ASSETS}
    COMMAND ${game_mkassets} ${TINTFALL_DIR}/assets
    DEPENDS ${game_mkassets_dep}
    COMMENT "Painting the game's assets" VERBATIM)
add_custom_command(OUTPUT ${TINTFALL_EXE}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tintfall> ${TINTFALL_EXE}
    COMMAND ${game_vornpack} append ${TINTFALL_EXE} ${TINTFALL_ASSETS}
    DEPENDS tintfall ${TINTFALL_ASSETS} ${game_vornpack_dep}
    COMMENT "Packing the game with its assets" VERBATIM)
add_custom_target(game ALL DEPENDS ${TINTFALL_EXE})
