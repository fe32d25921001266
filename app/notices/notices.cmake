# The notices that each deliverable carries after LICENSE: one for each
# project whose code is compiled or linked into it and whose licence asks
# for its notice, or that it names for the reader (see each file).
set(VELMORA_WIN32_NOTICES
    ${CMAKE_CURRENT_LIST_DIR}/windows-runtime.txt)
set(VELMORA_WEB_NOTICES
    ${CMAKE_CURRENT_LIST_DIR}/web-runtime.txt
    ${CMAKE_CURRENT_LIST_DIR}/web-graphviz.txt)
