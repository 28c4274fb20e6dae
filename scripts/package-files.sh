# Sourced by the packaging scripts: what a user's installation holds, the
# program, its libraries and helper programs, the definition files and the
# languages; nothing that a run of the program leaves in its folder
# (settings, saved lists, traces, downloads).
PACKAGE_FILES=(quillmere.exe misc.dll lng.dll qlmres.dll delete.bin update.bin)
PACKAGE_FOLDERS=(defines languages)
