# Writes the bytes of a file into a C++ source as the array behind embeddedResourceImage().
# Usage: cmake -DINPUT=<file.res> -DOUTPUT=<file.cpp> -P embed.cmake
file(READ ${INPUT} hex HEX)
string(REPEAT "[0-9a-f]" 32 line)
string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
file(WRITE ${OUTPUT}.new
    "// Generated from the compiled resource script; do not edit.\n"
    "#include \"platform/resources/resfile.h\"\n\n"
    "namespace {\n\nalignas(4) const uint8_t image[] = {\n${hex}};\n\n} // namespace\n\n"
    "ResourceBytes embeddedResourceImage() { return {image, sizeof image}; }\n")
file(RENAME ${OUTPUT}.new ${OUTPUT})
