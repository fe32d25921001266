# The icon's source and what the build makes from it, by name: the hicolor
# PNGs in ${VELMORA_ICON_DIR}/velmora-<n>.png and the 32 x 32 picture in 256
# colours that velmora-make-record turns into velmora.ico (velmora-32.bmp
# and its alpha channel velmora-32-alpha.pgm). tools/record.cmake makes
# them; app/linux/install.cmake installs the SVG and the PNGs.
set(VELMORA_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/velmora.svg)
set(VELMORA_ICON_SIZES 16 24 32 48 64 128 256)
set(VELMORA_ICON_DIR ${VELMORA_GENERATED_DIR}/icons)
set(VELMORA_ICON_BMP ${VELMORA_ICON_DIR}/velmora-32.bmp)
set(VELMORA_ICON_ALPHA ${VELMORA_ICON_DIR}/velmora-32-alpha.pgm)
